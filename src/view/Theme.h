#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <cstdint>
#include <string>

namespace corvatt::view {

// The look: dark, calm surfaces and one accent colour (the Manager's m_select_color).
namespace theme {

QColor Background();    // window
QColor Surface();       // panels, cards
QColor SurfaceHover();
QColor Border();
QColor Text();
QColor TextMuted();
QColor Accent();
QColor Danger();
QColor Ok();

// ARGB from the model; an alpha of 0 with a colour means opaque (older callers give 0xRRGGBB).
QColor FromArgb(uint32_t argb);
// The toolkit font (family from the control, else the Manager's) at a pixel size.
QFont Font(const std::string& family, int pixel_size, bool bold = false, bool underline = false);
// Qt alignment and wrap flags of kAlign* flags.
int TextFlags(int align_flags);

// A skin image by name (resolved under the skin root; cached). Null pixmap when missing.
QPixmap Image(const std::string& name);
void ClearImageCache();

QString ToQt(const std::string& text);

}  // namespace theme
}  // namespace corvatt::view
