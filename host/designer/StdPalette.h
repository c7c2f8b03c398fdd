#pragma once
// The standard components on the component palette, on the platform's pages, until the class
// catalogue registers its own.

namespace host {

// Puts the standard classes that a person drops from the palette on their pages (Standard,
// Win95, Data Access, Dialogs, System); fields and menu items are made by their editors and
// stay off the palette. Registering again changes nothing.
void RegisterStandardPalette();

} // namespace host
