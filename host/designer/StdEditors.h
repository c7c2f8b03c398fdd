#pragma once
// The component editors of the standard components: each offers its verbs in the component's
// context menu (and on the bar's button menu); running a verb opens the host's tool for it, which
// the stand-in records as a "verb:" line.

#include "host/designer/ComponentEditors.h"

#include <string>
#include <vector>

namespace host {

// An editor whose verbs are a fixed list of captions; its double click runs the first verb.
class TVerbListEditor : public TComponentEditor {
    HOST_CLASS(TVerbListEditor, TComponentEditor)
public:
    void ExecuteVerb(int index) override;
    std::string GetVerb(int index) override;
    int GetVerbCount() override;

protected:
    virtual const std::vector<std::string>& Verbs() const;
};

// Data sets: the fields editor.
class TDataSetEditor : public TVerbListEditor {
    HOST_CLASS(TDataSetEditor, TVerbListEditor)
protected:
    const std::vector<std::string>& Verbs() const override;
};

// Tables: the fields editor, and the database explorer on the table.
class TTableEditor : public TDataSetEditor {
    HOST_CLASS(TTableEditor, TDataSetEditor)
protected:
    const std::vector<std::string>& Verbs() const override;
};

// Main and popup menus: the menu designer.
class TMenuEditor : public TVerbListEditor {
    HOST_CLASS(TMenuEditor, TVerbListEditor)
protected:
    const std::vector<std::string>& Verbs() const override;
};

// Image lists: the image list editor.
class TImageListEditor : public TVerbListEditor {
    HOST_CLASS(TImageListEditor, TVerbListEditor)
protected:
    const std::vector<std::string>& Verbs() const override;
};

// Binds the editors above to their component classes. Calling it again changes nothing.
void RegisterStandardEditors();

} // namespace host
