#include "host/designer/PaletteBitmaps.h"

#include "host/catalogue/Catalogue.h"
#include "host/designer/PalettePictures.h"
#include "host/rtl/SysUtils.h"
#include "host/win32/Dib.h"

#include <algorithm>
#include <array>

namespace host {

namespace {

using palette_pictures::ColourKey;
using palette_pictures::Picture;

// clang-format off
const Picture Pictures[] = {
    // TTIMER: a stopwatch
    {"TTIMER",
     {
         "........................",
         "........................",
         ".........kdddk..........",
         ".........kkkkk..........",
         "...........k............",
         "........kkkkkkk..k......",
         ".......kwwwkwwwk.kk.....",
         ".....kkwwwwkwwwwkk......",
         ".....kwwwwwkwwwwwk......",
         "....kwwwwwwkwwwwwwk.....",
         "...kwwwwwwwkwwwwwwwk....",
         "...kwwwwwwwkwwwwwwwk....",
         "...kwwwwwwwkwwwwwwwk....",
         "...kkwwwwwwkwwwwwwkk....",
         "...kwwwwwwwwrwwwwwwk....",
         "...kwwwwwwwwwrrwwwdk....",
         "...kwwwwwwwwwwwrwddk....",
         "....kwwwwwwwwwwwddk.....",
         ".....kwwwwwwwwwddk......",
         ".....kkwwwwwwwddkk......",
         ".......kwwwkwddk........",
         "........kkkkkkk.........",
         "........................",
         "........................",
     }},
    // TOPENDIALOG: a folder opening, with an arrow coming out
    {"TOPENDIALOG",
     {
         "........................",
         "........................",
         "..................n.....",
         "...................n.n..",
         "....................nn..",
         "..kkkkkk...........nnn..",
         "..kwwwwk................",
         ".kkooookkkkkkkkkkk......",
         ".kwwwwwwwwwwwwwwwk......",
         ".kwooooooooooooook......",
         ".kwoookkkkkkkkkkkkkkkkk.",
         ".kwoookwwwwwwwwwwwwwwk..",
         ".kwookyyyyyyyyyyyyyyyk..",
         ".kwookyyyyyyyyyyyyyyk...",
         ".kwokyyyyyyyyyyyyyyyk...",
         ".kwokyyyyyyyyyyyyyyk....",
         ".kwkyyyyyyyyyyyyyyyk....",
         ".kwkyyyyyyyyyyyyyyk.....",
         ".kkyyyyyyyyyyyyyyyk.....",
         ".kkkkkkkkkkkkkkkkk......",
         "........................",
         "........................",
         "........................",
         "........................",
     }},
    // TSAVEDIALOG: a floppy disk
    {"TSAVEDIALOG",
     {
         "........................",
         "........................",
         "........................",
         "...kkkkkkkkkkkkkkkkk....",
         "...knnkwwwwwwwwwwknkk...",
         "...knnkwddddddddwknnk...",
         "...knnkwwwwwwwwwwknnk...",
         "...knnkwddddddddwknnk...",
         "...knnkwwwwwwwwwwknnk...",
         "...knnkwddddddddwknnk...",
         "...knnkwwwwwwwwwwknnk...",
         "...knnkkkkkkkkkkkknnk...",
         "...knnnnnnnnnnnnnnnnk...",
         "...knnnnnnnnnnnnnnnnk...",
         "...knnnkkkkkkkkkknnnk...",
         "...knnnkwnnwwwwwknnnk...",
         "...knnnkwnnwwwwwknnnk...",
         "...knnnkwnnwwwwwknnnk...",
         "...kknnkwnnwwwwwknnkk...",
         "...knnnkwnnwwwwwknnnk...",
         "...kkkkkkkkkkkkkkkkkk...",
         "........................",
         "........................",
         "........................",
     }},
    // TDATASOURCE: a plug and an arrow
    {"TDATASOURCE",
     {
         "........................",
         "..............g.........",
         "..............gg........",
         "..............ggg.......",
         "...ggggggggggggggg......",
         "...ggggggggggggggg......",
         "...kkkkkkkkkkkggg.......",
         "..............gg........",
         "..............g.........",
         "........................",
         ".......kkkkkkkk.........",
         ".......kwwwwwwk.........",
         ".......kwdddddkkkkkkk...",
         ".......kwdddddkwwwwwk...",
         ".kkkkkkkwdddddkdddddk...",
         ".kkkkkkkwdddddk.........",
         ".......kwdddddkkkkkkk...",
         ".......kwdddddkwwwwwk...",
         ".......kwdddddkdddddk...",
         ".......kwdddddk.........",
         ".......kkkkkkkk.........",
         "........................",
         "........................",
         "........................",
     }},
    // TTABLE: a grid with a header row
    {"TTABLE",
     {
         "........................",
         "........................",
         "........................",
         "........................",
         "..kkkkkkkkkkkkkkkkkkkk..",
         "..knnnnnwnnnnnwnnnnnwk..",
         "..knnnnnwnnnnnwnnnnnwk..",
         "..kkkkkkkkkkkkkkkkkkkk..",
         "..kwwwwwkwwwwwkwwwwwkk..",
         "..kwwwwwkwwwwwkwwwwwkk..",
         "..kkkkkkkkkkkkkkkkkkkk..",
         "..kwwwwwkwwwwwkwwwwwkk..",
         "..kwwwwwkwwwwwkwwwwwkk..",
         "..kkkkkkkkkkkkkkkkkkkk..",
         "..kwwwwwkwwwwwkwwwwwkk..",
         "..kwwwwwkwwwwwkwwwwwkk..",
         "..kkkkkkkkkkkkkkkkkkkk..",
         "..kwwwwwkwwwwwkwwwwwkk..",
         "..kwwwwwkwwwwwkwwwwwkk..",
         "..kkkkkkkkkkkkkkkkkkkk..",
         "........................",
         "........................",
         "........................",
         "........................",
     }},
    // TMAINMENU: a menu bar with a menu dropped from it
    {"TMAINMENU",
     {
         "........................",
         "........................",
         "........................",
         ".kkkkkkkkkkkkkkkkkkkkkk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".k.......nnnnnnn......k.",
         ".k.kkkkk.nwwwwwn.kkkk.k.",
         ".k.......nnnnnnn......k.",
         ".kkkkkkkkkkkkkkkkkkkkkk.",
         ".........kwwwwwwwwwwkd..",
         ".........kwkkkkkkkkwkd..",
         ".........kwwwwwwwwwwkd..",
         ".........kwkkkkkkkkwkd..",
         ".........kwwwwwwwwwwkd..",
         ".........kddddddddddkd..",
         ".........kwwwwwwwwwwkd..",
         ".........kwwwwwwwwwwkd..",
         ".........kwkkkkkkkkwkd..",
         ".........kwwwwwwwwwwkd..",
         ".........kwkkkkkkkkwkd..",
         ".........kwwwwwwwwwwkd..",
         ".........kkkkkkkkkkkkd..",
         "..........dddddddddddd..",
         "........................",
     }},
    // TPOPUPMENU: a small popup menu and the mouse pointer
    {"TPOPUPMENU",
     {
         "........................",
         "........................",
         "........................",
         ".....kkkkkkkkkkkkkkk....",
         ".....kwwwwwwwwwwwwwkd...",
         ".....kwwkkkkkkkkkwwkd...",
         ".....kwwwwwwwwwwwwwkd...",
         ".....knnnnnnnnnnnnnkd...",
         ".....knnwwwwwwwwwnnkd...",
         ".....knnnnnnnnnnnnnkd...",
         ".....kwwwwwwwwwwwwwkd...",
         "..k..kwwkkkkkkkkkwwkd...",
         "..kk.kwwwwwwwwwwwwwkd...",
         "..kwkkdddddddddddddkd...",
         "..kwwkwwwwwwwwwwwwwkd...",
         "..kwwwkwkkkkkkkkkwwkd...",
         "..kwwwwkwwwwwwwwwwwkd...",
         "..kwwwkkkkkkkkkkkkkkd...",
         "..kwkwkdddddddddddddd...",
         "..kk.kwk................",
         "..k...kwk...............",
         ".......kk...............",
         "........................",
         "........................",
     }},
    // TIMAGELIST: a stack of pictures
    {"TIMAGELIST",
     {
         "........................",
         "........................",
         "........kkkkkkkkkkkkkk..",
         "........kwwwwwwwwwwwwk..",
         "........kwwwwwwwwwwwwk..",
         ".....kkkkkkkkkkkkkkwwk..",
         ".....kwwwwwwwwwwwwkwwk..",
         ".....kwwwwwwwwwwwwkwwk..",
         "..kkkkkkkkkkkkkkwwkwwk..",
         "..kcccccccccccckwwkwwk..",
         "..kccccccccyccckwwkwwk..",
         "..kcccccccyyycckwwkwwk..",
         "..kcccgccccyccckwwkwwk..",
         "..kccgggccccccckwwkwwk..",
         "..kcggggggccccckwwkkkk..",
         "..kggggggggggggkwwk.....",
         "..kggggggggggggkwwk.....",
         "..kooooooooooookkkk.....",
         "..kooooooooooook........",
         "..kooooooooooook........",
         "..kkkkkkkkkkkkkk........",
         "........................",
         "........................",
         "........................",
     }},
    // TBUTTON: an OK button
    {"TBUTTON",
     {
         "........................",
         "........................",
         "........................",
         "........................",
         "........................",
         "........................",
         ".kkkkkkkkkkkkkkkkkkkkkk.",
         ".kwwwwwwwwwwwwwwwwwwwkk.",
         ".kw.................dkk.",
         ".kw.....kkk..k..k...dkk.",
         ".kw....k...k.k.k....dkk.",
         ".kw....k...k.kk.....dkk.",
         ".kw....k...k.k.k....dkk.",
         ".kw....k...k.k..k...dkk.",
         ".kw.....kkk..k..k...dkk.",
         ".kwddddddddddddddddddkk.",
         ".kwkkkkkkkkkkkkkkkkkkkk.",
         ".kkkkkkkkkkkkkkkkkkkkkk.",
         "........................",
         "........................",
         "........................",
         "........................",
         "........................",
         "........................",
     }},
    // TPANEL: a raised panel
    {"TPANEL",
     {
         "........................",
         "........................",
         "........................",
         "........................",
         ".wwwwwwwwwwwwwwwwwwwwwk.",
         ".w...................dk.",
         ".w.dddddddddddddddddddk.",
         ".w.dwwwwwwwwwwwwwwwwwdk.",
         ".w.dw...............wdk.",
         ".w.dw...............wdk.",
         ".w.dw...............wdk.",
         ".w.dw...............wdk.",
         ".w.dw...............wdk.",
         ".w.dw...............wdk.",
         ".w.dw...............wdk.",
         ".w.dw...............wdk.",
         ".w.dw...............wdk.",
         ".w.dwwwwwwwwwwwwwwwwwdk.",
         ".wddddddddddddddddddddk.",
         ".wkkkkkkkkkkkkkkkkkkkkk.",
         "........................",
         "........................",
         "........................",
         "........................",
     }},
    // TSTATUSBAR: a window with a status bar of two sections
    {"TSTATUSBAR",
     {
         "........................",
         "........................",
         "........................",
         "........................",
         ".kkkkkkkkkkkkkkkkkkkkkk.",
         ".knnnnnnnnnnnnnnnnnnnnk.",
         ".knnnnnnnnnnnnnnnnnnnnk.",
         ".knnnnnnnnnnnnnnnnnnnnk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwwwwwwwwwk.",
         ".k.dddddddddw.ddddddw.k.",
         ".k.d.kkkkk..w.d.kkk.w.k.",
         ".k.d........w.d.....w.k.",
         ".k.dwwwwwwwww.dwwwwww.k.",
         ".kkkkkkkkkkkkkkkkkkkkkk.",
         "........................",
         "........................",
         "........................",
     }},
    // TQUERY: a table with a question mark
    {"TQUERY",
     {
         "........................",
         "........................",
         "................rrrr....",
         "...............rr..rr...",
         "...................rr...",
         "..................rr....",
         ".kkkkkkkkkkkkk...rr.....",
         ".knnnnwnnnnwnn...rr.....",
         ".knnnnwnnnnwnn..........",
         ".kkkkkkkkkkkkk...rr.....",
         ".kwwwwkwwwwkww...rr.....",
         ".kwwwwkwwwwkww..........",
         ".kkkkkkkkkkkkkkkkk......",
         ".kwwwwkwwwwkwwwwkk......",
         ".kwwwwkwwwwkwwwwkk......",
         ".kkkkkkkkkkkkkkkkk......",
         ".kwwwwkwwwwkwwwwkk......",
         ".kwwwwkwwwwkwwwwkk......",
         ".kkkkkkkkkkkkkkkkk......",
         ".kwwwwkwwwwkwwwwkk......",
         ".kwwwwkwwwwkwwwwkk......",
         ".kkkkkkkkkkkkkkkkk......",
         "........................",
         "........................",
     }},
};
// clang-format on

const Picture* findPicture(std::string_view name) {
    const std::string upper = UpperCase(name);
    for (const Picture& p : Pictures)
        if (upper == p.Name)
            return &p;
    size_t count = 0;
    const Picture* more = palette_pictures::More(count);
    for (size_t i = 0; i < count; ++i)
        if (upper == more[i].Name)
            return &more[i];
    return nullptr;
}

Surface toSurface(const Picture& p) {
    const auto& palette = StandardPalette16();
    Surface s(PaletteBitmapSize, PaletteBitmapSize);
    for (int y = 0; y < PaletteBitmapSize; ++y) {
        const std::string_view row(p.Rows[y]);
        if (row.size() != PaletteBitmapSize)
            throw Exception(std::string("Palette picture ") + p.Name + " has a short row");
        for (int x = 0; x < PaletteBitmapSize; ++x) {
            const size_t index = ColourKey.find(row[x]);
            if (index == std::string_view::npos)
                throw Exception(std::string("Palette picture ") + p.Name +
                                " uses an unknown colour letter");
            s.SetPixel(x, y, palette[index]);
        }
    }
    return s;
}

} // namespace

const std::vector<std::string>& PaletteBitmapNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (const Picture& p : Pictures)
            result.emplace_back(p.Name);
        size_t count = 0;
        const Picture* more = palette_pictures::More(count);
        for (size_t i = 0; i < count; ++i)
            if (!std::string_view(more[i].Name).starts_with("PAGE."))
                result.emplace_back(more[i].Name);
        return result;
    }();
    return names;
}

std::string PagePictureName(std::string_view page) {
    return "PAGE." + UpperCase(page);
}

std::string PalettePictureName(std::string_view className) {
    if (findPicture(className))
        return UpperCase(className);
    for (const TCataloguePage& page : CataloguePages())
        for (const TClass* cls : page.Classes)
            if (SameText(cls->ClassName(), className) && findPicture(PagePictureName(page.Name)))
                return PagePictureName(page.Name);
    return {};
}

Surface PaletteBitmapSurface(std::string_view upperName) {
    const Picture* p = findPicture(upperName);
    return p ? toSurface(*p) : Surface();
}

std::vector<uint8_t> PaletteBitmapDib(std::string_view upperName) {
    const Picture* p = findPicture(upperName);
    return p ? EncodeDib4(toSurface(*p)) : std::vector<uint8_t>();
}

} // namespace host
