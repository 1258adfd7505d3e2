#include "ui/file_dialogs.h"

#include <gtest/gtest.h>

#include "datafiles/file_kind.h"

namespace vosk::ui {
namespace {

QStringList filters(const char* windows_filter) {
  return qt_name_filters(QString::fromUtf8(windows_filter));
}

TEST(Ui_FileDialogTests, DataSetFiltersKeepTheirTextsAndMatchEitherCase) {
  EXPECT_EQ(filters(datafiles::qvw_filter(false)),
            QStringList{QString::fromUtf8("ダイヤデータ(*.qvw) (*.qvw *.QVW)")});
  EXPECT_EQ(filters(datafiles::qvw_filter(true)),
            QStringList{QStringLiteral("Dia Data(*.qvw) (*.qvw *.QVW)")});
  EXPECT_EQ(filters(datafiles::qvb_filter(false)),
            (QStringList{QString::fromUtf8("ダイヤデータ(*.qvb) (*.qvb *.QVB)"),
                         QString::fromUtf8("旧ダイヤデータ(*.qvp) (*.qvp *.QVP)")}));
  EXPECT_EQ(filters(datafiles::qve_filter(true)),
            QStringList{QStringLiteral("Executed Data(*.qve) (*.qve *.QVE)")});
  EXPECT_EQ(filters("ＷＡＶファイル(*.wav)|*.wav||"),
            QStringList{QString::fromUtf8("ＷＡＶファイル(*.wav) (*.wav *.WAV)")});
}

TEST(Ui_FileDialogTests, PatternListsAndOddFilters) {
  // ';' separates patterns in the platform form, a space in Qt's.
  EXPECT_EQ(filters("Pictures|*.bmp;*.dib||"),
            QStringList{QStringLiteral("Pictures (*.bmp *.BMP *.dib *.DIB)")});
  // A pattern without letters has no upper-case twin.
  EXPECT_EQ(filters("All|*.*||"), QStringList{QStringLiteral("All (*.*)")});
  // No closing "||", or a text without a pattern.
  EXPECT_EQ(filters("Dia|*.dia"), QStringList{QStringLiteral("Dia (*.dia *.DIA)")});
  EXPECT_TRUE(filters("Lonely text").isEmpty());
  EXPECT_TRUE(filters("").isEmpty());
  EXPECT_TRUE(filters("||").isEmpty());
}

}  // namespace
}  // namespace vosk::ui
