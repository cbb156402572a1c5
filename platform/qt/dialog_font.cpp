#include "platform/qt/dialog_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace norvaket::qt {
namespace {

constexpr int kPointSize = 9;

}  // namespace

QFont DialogFont() {
  const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
  for (const char* wanted : {"MS UI Gothic", "Noto Sans CJK JP", "IPAexGothic", "IPAGothic",
                             "VL Gothic", "TakaoGothic"}) {
    if (families.contains(QString::fromLatin1(wanted))) {
      return QFont(QString::fromLatin1(wanted), kPointSize, QFont::Normal);
    }
  }
  // Let fontconfig pick whatever sans-serif face covers Japanese.
  QFont font(QStringLiteral("sans-serif"), kPointSize, QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace norvaket::qt
