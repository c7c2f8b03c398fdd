#include "app/Demo.h"

#include "app/Session.h"
#include "host/rtl/Files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace app {

using namespace host;

namespace {

// The example form as the developer left it: every non-visual component's icon lies where it
// was dropped, over the controls.
const char* const kExampleForm = R"script(new form Form1 560 360
set Form1.Caption 'Customer Orders'
drop TPanel CustomerPanel at 16 72
set CustomerPanel.Width 328
set CustomerPanel.Height 112
set CustomerPanel.Caption ''
drop TLabel CustomerLabel at 12 12
set CustomerLabel.Caption 'Customer No.'
drop TLabel CompanyLabel at 12 36
set CompanyLabel.Caption 'Company'
drop TLabel OrderLabel at 12 60
set OrderLabel.Caption 'Order No.'
drop TLabel AmountLabel at 12 84
set AmountLabel.Caption 'Amount'
drop TButton SaveButton at 368 288
set SaveButton.Caption 'Save'
set SaveButton.Default True
drop TButton CancelButton at 456 288
set CancelButton.Caption 'Cancel'
set CancelButton.Cancel True
drop TStatusBar StatusBar1
set StatusBar1.SimplePanel True
set StatusBar1.SimpleText 'Ready'
drop TTable Customers at 24 200
set Customers.DatabaseName 'DBDEMOS'
set Customers.TableName 'customer.db'
drop TIntegerField CustomersCustNo
set CustomersCustNo.FieldName 'CustNo'
drop TStringField CustomersCompany
set CustomersCompany.FieldName 'Company'
drop TTable Orders at 72 216
set Orders.DatabaseName 'DBDEMOS'
set Orders.TableName 'orders.db'
drop TIntegerField OrdersOrderNo
set OrdersOrderNo.FieldName 'OrderNo'
drop TIntegerField OrdersAmount
set OrdersAmount.FieldName 'AmountPaid'
drop TDataSource CustomersSource at 120 200
set CustomersSource.DataSet Customers
drop TDataSource OrdersSource at 168 232
set OrdersSource.DataSet Orders
drop TMainMenu MainMenu1 at 376 88
drop TMenuItem FileMenu
set FileMenu.Caption '&File'
drop TMenuItem FileOpen
set FileOpen.Caption '&Open...'
drop TMenuItem FileSave
set FileSave.Caption '&Save'
drop TPopupMenu PopupMenu1 at 424 104
drop TMenuItem PopupRefresh
set PopupRefresh.Caption '&Refresh'
drop TTimer AutoSaveTimer at 232 152
set AutoSaveTimer.Interval 60000
drop TOpenDialog OpenDialog1 at 400 160
drop TSaveDialog SaveDialog1 at 448 176
drop TImageList ImageList1 at 288 224
select none
)script";

// The story: the bar collects the clutter, hides, comes back under the mouse, offers its menu,
// takes a new title, gets a neighbour on the left, hands an entry over, and shares the top edge
// with a third bar through their tabs.
const char* const kStory = R"script(render 01-cluttered.png
# A bar is dropped: it collects every non-visual component and moves the icons off the surface.
drop TStowbar Stowbar1
wait 1
print Stowbar1
select none
render 02-collected.png
# The mouse on the strip at the top brings the bar back.
mouse 200 1
render 03-revealed.png
# A right click on a button: the component's verbs, then the bar's commands.
choose "Change Title of \"AutoSaveTimer\""
answer "Autosave (1 min)"
render menu 04-menu.png
render dialog 05-change-title.png
press AutoSaveTimer right
# The button takes its new title at the bar's next relayout, on its next heartbeat.
wait 200
render 06-title-changed.png
# A second bar on the left edge; an entry moves over to it.
drop TStowbar Stowbar2
set Stowbar2.AttachSide asLeft
wait 1
mouse 200 10
choose Move To > Stowbar2
render menu 07-move-to.png
press OpenDialog1 right
choose Move To > Stowbar2
press SaveDialog1 right
select none
mouse 1 200
wait 400
render 08-left-bar.png
# A third bar on the top edge: the top bars share the edge and switch through their tabs.
drop TStowbar Stowbar3
wait 1
choose Move To > Stowbar3
press ImageList1 right
choose Move To > Stowbar3
press MainMenu1 right
select none
mouse 300 1
wait 400
render 09-tabs.png
tab Stowbar1 Stowbar3
wait 0
render 10-tab-switched.png
)script";

// The last step: the form is saved.
const char* const kSave = R"script(save Form1.dfm
)script";

void linkExampleForm(Session& session) {
    TComponent* root = session.Root();
    auto field = [&](const char* name, const char* table) {
        auto* f = dyn<TField>(root->FindComponent(name));
        auto* t = dyn<TDataSet>(root->FindComponent(table));
        if (f && t)
            f->SetDataSet(t);
    };
    field("CustomersCustNo", "Customers");
    field("CustomersCompany", "Customers");
    field("OrdersOrderNo", "Orders");
    field("OrdersAmount", "Orders");
    auto item = [&](const char* name) { return dyn<TMenuItem>(root->FindComponent(name)); };
    auto* mainMenu = dyn<TMenu>(root->FindComponent("MainMenu1"));
    auto* popup = dyn<TMenu>(root->FindComponent("PopupMenu1"));
    if (mainMenu && item("FileMenu")) {
        mainMenu->Items()->Add(item("FileMenu"));
        item("FileMenu")->Add(item("FileOpen"));
        item("FileMenu")->Add(item("FileSave"));
    }
    if (popup && item("PopupRefresh"))
        popup->Items()->Add(item("PopupRefresh"));
    // The labels sit on the panel.
    auto* panel = dyn<TWinControl>(root->FindComponent("CustomerPanel"));
    for (const char* name : {"CustomerLabel", "CompanyLabel", "OrderLabel", "AmountLabel"})
        if (auto* label = dyn<TControl>(root->FindComponent(name)); label && panel)
            label->SetParent(panel);
}

} // namespace

void BuildExampleForm(Session& session) {
    std::ostringstream errors;
    if (session.RunText(kExampleForm, "example form", errors) != 0)
        throw std::runtime_error(errors.str());
    linkExampleForm(session);
}

int RunDemo(const std::string& outDir, std::ostream& out, std::ostream& err) {
    namespace fs = std::filesystem;
    const fs::path dir(outDir);
    std::ostringstream transcript;
    Session session(transcript, dir);
    BuildExampleForm(session);
    int rc = session.RunText(kStory, "demo", err);
    if (rc != 0) {
        out << transcript.str();
        return rc;
    }
    if (session.RunText(kSave, "demo", err) != 0) {
        out << transcript.str();
        return 2;
    }
    try {
        WriteFileAtomic(session.ResolveOutput("transcript.txt"), transcript.str(),
                        (dir / "transcript.txt").string());
    } catch (const std::exception& e) {
        err << "stowdesign: " << e.what() << "\n";
        return 2;
    }
    out << transcript.str() << "\n";
    out << "Pictures, the saved form Form1.dfm and the transcript are in " << dir.string()
        << "/:\n";
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    for (const std::string& f : files)
        out << "  " << f << "\n";
    return 0;
}

} // namespace app
