#include "ui/frm_compare.h"

#include "ui/review_texts.h"

namespace rvm46::ui {

using namespace forms;

FrmCompare::FrmCompare(Platform& platform, int language, const std::string& font, Color back,
                       const Sides& sides, const std::vector<CompareRow>& rows)
    : Form(platform, "frmCompare") {
    SetCaption(ReviewText("compare.caption", language));
    SetBackColor(back);
    SetFontName(font);
    for (Control* control : std::initializer_list<Control*>{&lblSides, &lblSummary, &lvwDifferences,
                                                            &cmdOpenOther, &cmdClose}) {
        control->SetFontName(font);
    }
    lblSides.SetBackColor(back);
    lblSummary.SetBackColor(back);
    lblSides.SetCaption(ReviewText("compare.versus", language, sides.thisName) + "  " +
                        sides.otherName);
    const std::string count = std::to_string(rows.size());
    lblSummary.SetCaption(rows.empty()       ? ReviewText("compare.noDifferences", language)
                          : rows.size() == 1 ? ReviewText("compare.countOne", language)
                                             : ReviewText("compare.count", language, count));
    lvwDifferences.SetColumns({ReviewText("compare.where", language),
                               ReviewText("compare.what", language),
                               ReviewText("compare.thisColumn", language), sides.otherName});
    std::vector<std::vector<std::string>> texts;
    for (const CompareRow& row : rows) {
        texts.push_back({row.where, row.what, row.thisSide, row.otherSide});
    }
    lvwDifferences.SetRows(std::move(texts));
    lvwDifferences.SetVisible(!rows.empty());
    cmdOpenOther.SetCaption(ReviewText("compare.openOther", language));
    cmdClose.SetCaption(ReviewText("compare.close", language));

    cmdOpenOther.Click = [this] {
        openOther_ = true;
        Unload();
    };
    cmdClose.Click = [this] { Unload(); };
}

}  // namespace rvm46::ui
