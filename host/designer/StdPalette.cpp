#include "host/designer/StdPalette.h"

#include "host/designer/Packages.h"
#include "host/designer/StdComponents.h"

namespace host {

void RegisterStandardPalette() {
    RegisterComponents("Standard",
                       {TMainMenu::StaticClass(), TPopupMenu::StaticClass(), TLabel::StaticClass(),
                        TButton::StaticClass(), TPanel::StaticClass()});
    RegisterComponents("Win95", {TImageList::StaticClass(), TStatusBar::StaticClass()});
    RegisterComponents("Data Access",
                       {TDataSource::StaticClass(), TTable::StaticClass(), TQuery::StaticClass()});
    RegisterComponents("Dialogs", {TOpenDialog::StaticClass(), TSaveDialog::StaticClass()});
    RegisterComponents("System", {TTimer::StaticClass()});
}

} // namespace host
