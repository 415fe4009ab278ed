#include "view/Theme.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include "common/ui/Manager.h"
#include "common/ui/Types.h"

namespace corvatt::view::theme {

QColor Background() { return QColor(0x14, 0x17, 0x1c); }
QColor Surface() { return QColor(0x1d, 0x21, 0x29); }
QColor SurfaceHover() { return QColor(0x27, 0x2c, 0x36); }
QColor Border() { return QColor(0x30, 0x36, 0x42); }
QColor Text() { return QColor(0xe6, 0xe9, 0xee); }
QColor TextMuted() { return QColor(0x8a, 0x93, 0xa3); }
QColor Danger() { return QColor(0xe5, 0x53, 0x4b); }
QColor Ok() { return QColor(0x3d, 0xd6, 0x8c); }

QColor Accent() {
  return FromArgb(dui::RgbToArgb(dui::Manager::Instance().m_select_color.load()));
}

QColor FromArgb(uint32_t argb) {
  if ((argb >> 24) == 0 && argb != 0) argb |= 0xFF000000u;
  return QColor::fromRgba(argb);
}

QFont Font(const std::string& family, int pixel_size, bool bold, bool underline) {
  const std::string name = family.empty() ? dui::Manager::Instance().GetFontName() : family;
  QFont font(ToQt(name));
  font.setPixelSize(pixel_size > 0 ? pixel_size : 14);
  if (bold) font.setWeight(QFont::Bold);
  font.setUnderline(underline);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

int TextFlags(int align) {
  int flags = 0;
  if (align & dui::kAlignCenter) {
    flags |= Qt::AlignHCenter;
  } else if (align & dui::kAlignRight) {
    flags |= Qt::AlignRight;
  } else {
    flags |= Qt::AlignLeft;
  }
  if (align & dui::kAlignVCenter) {
    flags |= Qt::AlignVCenter;
  } else if (align & dui::kAlignBottom) {
    flags |= Qt::AlignBottom;
  } else {
    flags |= Qt::AlignTop;
  }
  if ((align & dui::kAlignWordBreak) && !(align & dui::kAlignSingleLine)) {
    flags |= Qt::TextWordWrap;
  }
  return flags;
}

namespace {
QMutex g_cache_mutex;
QHash<QString, QPixmap> g_cache;
}  // namespace

QPixmap Image(const std::string& name) {
  if (name.empty()) return {};
  const QString path = ToQt(dui::Manager::Instance().ResolveImage(name));
  QMutexLocker locker(&g_cache_mutex);
  auto it = g_cache.find(path);
  if (it != g_cache.end()) return *it;
  QPixmap pixmap;
  if (QFileInfo::exists(path)) {
    pixmap.load(path);
  } else if (path.endsWith(QStringLiteral(".ico"), Qt::CaseInsensitive)) {
    // The skin ships its icons as PNG under the same name.
    const QString png = path.left(path.size() - 4) + QStringLiteral(".png");
    if (QFileInfo::exists(png)) pixmap.load(png);
  }
  g_cache.insert(path, pixmap);
  return pixmap;
}

void ClearImageCache() {
  QMutexLocker locker(&g_cache_mutex);
  g_cache.clear();
}

QString ToQt(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace corvatt::view::theme
