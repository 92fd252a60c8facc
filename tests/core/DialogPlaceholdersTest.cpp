// The table and picture placeholders of command texts, with a scripted dialog side: the table
// side builds its text from the command as the real one does, around a scripted dialog.
#include "core/CommandExpander.h"
#include "core/TabParams.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quolin;

namespace {

class ScriptedDialogs : public TCommandDialogs {
public:
  // What the table dialog was shown and whether it showed the row/column group.
  TTabParams shown;
  bool newShape = false;
  std::function<bool(TTabParams&)> table = [](TTabParams&) { return true; };
  TPictureRequest pictureAsked;
  TPictureValues picture;
  bool pictureOk = true;

  bool ChooseFile(const TFileRequest&, std::string&) override { return false; }
  bool ChoosePicture(const TPictureRequest& request, TPictureValues& values) override {
    pictureAsked = request;
    values = picture;
    return pictureOk;
  }
  bool BuildTable(const TTableRequest& request, TTableValues& values) override {
    TTableText text;
    if (!BuildTableFromCommand(request.Command, request.Selection, request.LineBreak,
                               [this](TTabParams& params, bool shape) {
                                 shown = params;
                                 newShape = shape;
                                 return table(params);
                               },
                               text))
      return false;
    values = {text.Format, text.Body, text.Option};
    return true;
  }
  bool CallPlugIn(const std::string&, const std::string&, const std::string&, int,
                  std::string&) override {
    return false;
  }
};

const std::string Tabular = "\\begin{tabular}{$MatrixFmt}$MatrixBody\\end{tabular}";

std::string Expand(ScriptedDialogs& dialogs, const std::string& command,
                   const std::string& selected = "") {
  TExpansion expansion;
  if (!ExpandCommandText(dialogs, command, selected, "C:\\doc\\a.tex", false, "\r\n", expansion))
    return "<cancelled>";
  return expansion.Result;
}

} // namespace

TEST(DialogPlaceholders, DefaultTable) {
  ScriptedDialogs dialogs;
  const std::string row = " \t& \t& \t& \t\\\\ \\hline\r\n";
  EXPECT_EQ(Expand(dialogs, Tabular),
            "\\begin{tabular}{|c|c|c|c|} \\hline\r\n" + row + row + row + "\\end{tabular}");
  EXPECT_TRUE(dialogs.newShape);
  EXPECT_TRUE(dialogs.shown.UseShape && dialogs.shown.UseAlignment);
  EXPECT_FALSE(dialogs.shown.UsePlacement);
  EXPECT_EQ(dialogs.shown.Rows, 3);
  EXPECT_EQ(dialogs.shown.Columns, 4);
  TExpansion expansion;
  ASSERT_TRUE(ExpandCommandText(dialogs, "x$MatrixFmt", "", "", false, "\r\n", expansion));
  EXPECT_EQ(expansion.CaretOffset, 0);
  EXPECT_EQ(expansion.SelLength, 10) << "the whole result selected";
}

TEST(DialogPlaceholders, RulesAndAlignmentsFromMatrixDef) {
  ScriptedDialogs dialogs;
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(F,T,2,2,r)" + Tabular),
            "\\begin{tabular}{|r|r|}\r\n \t& \t\\\\\r\n \t& \r\n\\end{tabular}");
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(T,F,1,4)$MatrixFmt"), "cccc");
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(T,F,1,2,left)$MatrixFmt(L,C,R)"), "LL");
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(T,T,1,1,x)$MatrixFmt(L,C,R,!)"), "!C!");
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(T,F,1,1,Right)$MatrixFmt"), "r");
  EXPECT_FALSE(dialogs.shown.UsePlacement);
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(F,F,1,2)$MatrixBody(<,[,],|,;,=)"), "\r\n<[]|[]\r\n");
  EXPECT_FALSE(dialogs.shown.UseAlignment) << "no column format asked";
}

TEST(DialogPlaceholders, SelectionGivesSeparatorRowsAndColumns) {
  ScriptedDialogs dialogs;
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(F,F,9,9)$MatrixBody", "a\tb\r\nc\td\te"),
            "\r\n a\t& b\t& \t\\\\\r\n c\t& d\t& e\r\n");
  EXPECT_FALSE(dialogs.newShape);
  EXPECT_EQ(dialogs.shown.Separator, csTab);
  EXPECT_EQ(dialogs.shown.Rows, 2);
  EXPECT_EQ(dialogs.shown.Columns, 3);
  dialogs.table = [](TTabParams& params) {
    params.Separator = csComma;
    return true;
  };
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(F,F)$MatrixFmt:$MatrixBody", "a,b,c\td"),
            "ccc:\r\n a\t& b\t& c\td\r\n");
  EXPECT_EQ(dialogs.shown.Columns, 2) << "counted with the tab before the dialog";
}

TEST(DialogPlaceholders, FloatPlacementInAndOut) {
  ScriptedDialogs dialogs;
  dialogs.table = [](TTabParams& params) {
    params.Placement = "[hb]";
    return true;
  };
  EXPECT_EQ(Expand(dialogs, "\\begin{figure}$FigEnvOpt([tp])"), "\\begin{figure}[hb]");
  EXPECT_EQ(dialogs.shown.Placement, "[tp]");
  EXPECT_TRUE(dialogs.shown.UsePlacement);
  EXPECT_FALSE(dialogs.shown.UseShape || dialogs.shown.UseAlignment);
  EXPECT_EQ(Expand(dialogs, "$FigEnvOpt"), "[hb]");
  EXPECT_EQ(dialogs.shown.Placement, "");
}

TEST(DialogPlaceholders, CancelInsertsNothingAndKeepsTheLastCommand) {
  ScriptedDialogs dialogs;
  ASSERT_EQ(Expand(dialogs, "kept"), "kept");
  dialogs.table = [](TTabParams&) { return false; };
  EXPECT_EQ(Expand(dialogs, Tabular), "<cancelled>");
  dialogs.pictureOk = false;
  EXPECT_EQ(Expand(dialogs, "$PicFile"), "<cancelled>");
  EXPECT_EQ(RepeatableCommand(), "kept");
}

TEST(DialogPlaceholders, DollarsInValuesStayLiteral) {
  ScriptedDialogs dialogs;
  EXPECT_EQ(Expand(dialogs, "$MatrixDef(F,F)$MatrixBody", "$S\t$Tab"), "\r\n $S\t& $Tab\r\n");
  dialogs.table = [](TTabParams& params) {
    params.Placement = "[$S]";
    return true;
  };
  EXPECT_EQ(Expand(dialogs, "$FigEnvOpt"), "[$S]");
}

TEST(DialogPlaceholders, SevenPictureValuesFilled) {
  ScriptedDialogs dialogs;
  dialogs.picture = {"fig/$S.jpg", "5.01cm", "10.00cm", "0.50", "1.00", "表$Tab", "fig:$S"};
  EXPECT_EQ(Expand(dialogs, "$PicFile(T,F,Title):$PicHeight:$PicWidth:$PicVScale:$PicHScale:"
                            "$PicCaption:$PicLabel"),
            "fig/$S.jpg:5.01cm:10.00cm:0.50:1.00:表$Tab:fig:$S");
  EXPECT_EQ(dialogs.pictureAsked.Arguments, "T,F,Title");
  EXPECT_TRUE(dialogs.pictureAsked.WantsCaption && dialogs.pictureAsked.WantsLabel);
  Expand(dialogs, "$PicFile $PicLabel");
  EXPECT_FALSE(dialogs.pictureAsked.WantsCaption);
  EXPECT_TRUE(dialogs.pictureAsked.WantsLabel);
}
