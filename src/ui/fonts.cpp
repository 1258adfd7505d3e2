#include "ui/fonts.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QStringList>

#include "ui/qpainter_surface.h"

namespace vosk::ui {

void install_font_substitutions() {
  const QStringList gothic{QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")};
  const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")};
  for (const char* name : {"ＭＳ ゴシック", "MS Gothic", "ＭＳ 明朝", "MS Mincho"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), gothic);
  }
  for (const char* name : {"ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic", "ＭＳ Ｐ明朝",
                           "MS PMincho", "メイリオ", "Meiryo"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), proportional);
  }
}

std::optional<Font> choose_font(QWidget* owner, const Font& current, int logpixelsy) {
  QFont initial = to_qfont(current, logpixelsy);
  initial.setPointSize(current.point_size > 0 ? current.point_size : 9);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, owner);
  if (!ok) return std::nullopt;
  Font out = current;
  // Pressing OK on the face that stands in for the stored one keeps the
  // stored name, so a settings file shared with Windows keeps "ＭＳ ゴシック".
  if (chosen.family() != QFontInfo(initial).family()) out.face = chosen.family().toStdString();
  out.point_size = chosen.pointSize() > 0 ? chosen.pointSize() : current.point_size;
  out.height = font_height_for_points(out.point_size, logpixelsy);
  out.weight = static_cast<int>(chosen.weight());
  out.italic = chosen.italic();
  out.underline = chosen.underline();
  out.strike_out = chosen.strikeOut();
  return out;
}

std::optional<Rgb> choose_colour(QWidget* owner, Rgb current) {
  const QColor chosen = QColorDialog::getColor(to_qcolor(current), owner);
  if (!chosen.isValid()) return std::nullopt;
  return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
             static_cast<std::uint8_t>(chosen.blue())};
}

}  // namespace vosk::ui
