#pragma once
// The platform's standard class library as data: the classes of the classic IDE's palette pages
// (Standard, Additional, Win32, System, Data Access, Data Controls, Dialogs), the roots (forms,
// data modules, frames) and the classes they nest (fields, menu items, actions, tab sheets...),
// each a row of the tables in Catalogue*.cpp: its name, its ancestor, its palette page and its
// properties with type, default and stored rule, as the library declares them. Code is written
// once per kind of property (CatalogueBuild.cpp); a class is a few lines to add.
//
// A class the host implements in C++ (a timer, a form, a button...) keeps its behaviour: its
// row gives it the platform's published list, taking the C++ accessors where there are some. Any
// other class is made at run time over the nearest C++ base, and keeps the values of its own
// properties in its store (TPersistent::Store).

#include "host/rtl/TypInfo.h"

#include <string>
#include <string_view>
#include <vector>

namespace host {

// Builds the catalogue (once per process) and registers its classes with the class registry and
// the palette. hostClasses: the host's own C++ classes beyond the component library's basics
// (the designer's timer, dialogs, data sets...), which rows of the same name describe further.
// Raises Exception when a row is wrong (a type or ancestor that does not exist).
void RegisterCatalogue(const std::vector<const TClass*>& hostClasses);

struct TCataloguePage {
    std::string Name;
    std::vector<const TClass*> Classes;
};
// The palette pages of the catalogue, in order.
const std::vector<TCataloguePage>& CataloguePages();
// Every class the catalogue describes, in table order.
const std::vector<const TClass*>& CatalogueClasses();
// An enumeration or set element type of the catalogue (TBorderStyle, TAnchorKind...), or null.
const TEnumInfo* CatalogueEnum(std::string_view name);

// What a new control of a catalogue class made at run time starts with: its size and the values
// of its properties held by C++ fields (Color, TabStop...) where they differ from its C++ base's.
// The generic controls apply it when they are created.
struct TClassStart {
    int Width = 0;
    int Height = 0;
    std::vector<std::pair<const TPropInfo*, int64_t>> Ordinals;
};
const TClassStart* CatalogueStart(const TClass* cls);

} // namespace host
