// The window as designed: every control's design value, the window's size, and Form_Load.
#include "model/frmMain.h"
#include "window/Sizes.h"

namespace tavimo {

namespace {

constexpr Font inputFont{12.0f};
constexpr Font largeFont{10.8f};
constexpr Font smallFont{10.2f};
constexpr Font copyFont{7.8f};

TextBox input(std::string_view name, float top, const char* text, int tabIndex)
{
    TextBox box;
    box.name = name;
    box.rect = {480, top, 1332, 372};
    box.text = text;
    box.alignment = Alignment::Right;
    box.maxLength = 8;
    box.font = inputFont;
    box.tabIndex = tabIndex;
    return box;
}

TextBox resultBox(std::string_view name, float left, int tabIndex, bool visible)
{
    TextBox box;
    box.name = name;
    box.container = Container::fram2;
    box.rect = {left, 120, boxWidth, 3100};
    box.alignment = Alignment::Centre;
    box.multiLine = true;
    box.visible = visible;
    box.font = largeFont;
    box.tabIndex = tabIndex;
    return box;
}

CommandButton button(std::string_view name, Container container, TwipsRect rect,
                     const char* caption, Font font, int tabIndex)
{
    CommandButton b;
    b.name = name;
    b.container = container;
    b.rect = rect;
    b.caption = caption;
    b.font = font;
    b.tabIndex = tabIndex;
    return b;
}

CommandButton copyButton(std::string_view name, float left, int tabIndex, bool visible)
{
    CommandButton b =
        button(name, Container::fram3, {left, 0, 732, 230}, "コピー", copyFont, tabIndex);
    b.toolTip = "上の数列をクリップボードにコピー";
    b.visible = visible;
    return b;
}

Line line(std::string_view name, float x1, float y1, float x2, float y2)
{
    Line l;
    l.name = name;
    l.x1 = x1;
    l.y1 = y1;
    l.x2 = x2;
    l.y2 = y2;
    return l;
}

Label label(std::string_view name, TwipsRect rect, const char* caption, bool opaque, Font font,
            int tabIndex)
{
    Label l;
    l.name = name;
    l.rect = rect;
    l.caption = caption;
    l.opaque = opaque;
    l.font = font;
    l.tabIndex = tabIndex;
    return l;
}

} // namespace

frmMain::frmMain(Platform& platform)
    : fram1{"fram1", {360, 1620, 1572, 2052}, 9}, fram2{"fram2", {2070, 0, 5652, 3300}, 16},
      fram3{"fram3", {2400, 3360, 5172, 252}, 4}, txt1(input("txt1", 120, "‥から", 0)),
      txt2(input("txt2", 700, "‥まで", 1)), txt3(resultBox("txt3", 0, 20, true)),
      txt4(resultBox("txt4", 1440, 19, false)), txt5(resultBox("txt5", 2880, 18, false)),
      txt6(resultBox("txt6", 4320, 17, false)),
      lbl1(label("lbl1", {0, 1150, 2052, 252}, "‥の間にある素数は", false, smallFont, 2)),
      lbl2(label("lbl2", {840, 1400, 924, 252}, "？　", true, largeFont, 3)),
      lbl2k(label("lbl2k", {1230, 1400, 800, 252}, "個", true, largeFont, 21)),
      Line1(line("Line1", 1200, 550, 1200, 650)),
      cmdJIKKO(button("cmdJIKKO", Container::fram1, {120, 120, 1332, 372}, "実行", largeFont, 15)),
      cmdKESU(button("cmdKESU", Container::fram1, {120, 600, 732, 372}, "消去", smallFont, 12)),
      cmdXY(button("cmdXY", Container::fram1, {960, 600, 492, 372}, "縦", smallFont, 11)),
      cmdOTO(button("cmdOTO", Container::fram1, {120, 1080, 732, 372}, "音無", smallFont, 10)),
      cmdCOPY(button("cmdCOPY", Container::fram1, {960, 1080, 492, 372}, "移", smallFont, 13)),
      cmdEND(button("cmdEND", Container::fram1, {120, 1560, 1332, 372}, "終了", largeFont, 14)),
      cmdCOPY3(copyButton("cmdCOPY3", 0, 8, true)),
      cmdCOPY4(copyButton("cmdCOPY4", 1440, 7, false)),
      cmdCOPY5(copyButton("cmdCOPY5", 2880, 6, false)),
      cmdCOPY6(copyButton("cmdCOPY6", 4320, 5, false)), platform(platform),
      // Before the load handler sizes it, the window is its design client area.
      outerWidth(7980), outerHeight(3708)
{
    txt3.text = "\r\n２つの数の差が大きい\r\nとかなり時間がかかります。\r\n";
    cmdCOPY.enabled = false;
    cmdCOPY.toolTip = "最後の素数を上へ入力";
    cmdXY.toolTip = "縦横の切替。差が4000以上の時は縦のみ";
    cmdOTO.toolTip = "検索終了時にBeep音無し";
}

void frmMain::setWidth(float twips)
{
    setSize(twips, outerHeight);
}

void frmMain::setHeight(float twips)
{
    setSize(outerWidth, twips);
}

void frmMain::setSize(float widthTwips, float heightTwips)
{
    if (widthTwips == outerWidth && heightTwips == outerHeight) {
        return;
    }
    outerWidth = widthTwips;
    outerHeight = heightTwips;
    Form_Resize();
}

void frmMain::emptyResultTexts()
{
    sosu3.clear();
    sosu4.clear();
    sosu5.clear();
    sosu6.clear();
}

float frmMain::resultBoxHeight() const
{
    return nonNegative(fram2.rect.height - boxHeightMargin);
}

void frmMain::fitTxt3(float widthMargin)
{
    txt3.rect.height = resultBoxHeight();
    txt3.rect.width = nonNegative(width() - widthMargin);
}

void frmMain::Form_Load()
{
    setWidth(oneBoxWindowWidth);
    setHeight(windowHeight);
    fram2.rect.width = nonNegative(width() - fram2MarginOneBox);
    SwithXY = false;
    SwithOTO = true;
    SwithGO = true;
    m = 0;
    su0 = 0;
    pasokon_no = "(桁とパソコンの処理能力で変わります)";
    sosuu_ha = "表示できる素数は小さい方から、約20000個です。";
    koetabun = "超えた分は改めて検索してください。。";
}

} // namespace tavimo
