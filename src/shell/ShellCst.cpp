#include "shell/ShellCst.h"

namespace quolin::shellcst {

const char ColumnName[] = "名前";
const char ColumnSize[] = "サイズ";
const char ColumnType[] = "ファイルの種類";
const char ColumnModified[] = "更新日時";
const char ColumnAttributes[] = "属性";
const char* const ColumnCaptions[ColumnCount] = {ColumnName, ColumnSize, ColumnType,
                                                 ColumnModified, ColumnAttributes};
const char InvalidParameter[] = "パラメータが不正です。";

} // namespace quolin::shellcst
