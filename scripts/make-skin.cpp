// Draws the default skin's images (flat, dark, one accent colour) into a folder.
// Built and run by make-skin.sh.
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kAccent(0x27, 0xB6, 0xF0);
const QColor kAccentDeep(0x14, 0x6E, 0xC8);
const QColor kLine(0xC9, 0xD1, 0xDC);
const QColor kMuted(0x8A, 0x93, 0xA3);
const QColor kBody(0x23, 0x28, 0x31);
const QColor kBodyEdge(0x39, 0x40, 0x4D);

QString g_root;

void Save(const QString& name, int w, int h, const std::function<void(QPainter&)>& draw) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    draw(p);
  }
  const QString path = g_root + "/" + name;
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!image.save(path, "PNG")) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

QPen Stroke(const QColor& c, double w) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

QFont Font(int px, int weight = QFont::DemiBold) {
  QFont f("Open Sans");
  f.setPixelSize(px);
  f.setWeight(static_cast<QFont::Weight>(weight));
  return f;
}

// The brand mark: a rounded square in the accent gradient with a pointer chevron.
void Mark(QPainter& p, const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, kAccent);
  g.setColorAt(1, kAccentDeep);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(r, r.width() * 0.24, r.width() * 0.24);
  const double s = r.width();
  QPainterPath c;
  c.moveTo(r.left() + s * 0.66, r.top() + s * 0.30);
  c.arcTo(QRectF(r.left() + s * 0.22, r.top() + s * 0.22, s * 0.56, s * 0.56), 50, 260);
  p.setPen(Stroke(Qt::white, s * 0.11));
  p.setBrush(Qt::NoBrush);
  p.drawPath(c);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(r.left() + s * 0.5, r.top() + s * 0.5), s * 0.075, s * 0.075);
}

QPainterPath MouseBody(const QRectF& r) {
  const double l = r.left(), t = r.top(), w = r.width(), h = r.height();
  QPainterPath b;
  b.moveTo(l + w * 0.5, t);
  b.cubicTo(l + w * 0.86, t, l + w, t + h * 0.16, l + w, t + h * 0.40);
  b.cubicTo(l + w, t + h * 0.66, l + w * 0.92, t + h, l + w * 0.5, t + h);
  b.cubicTo(l + w * 0.08, t + h, l, t + h * 0.66, l, t + h * 0.40);
  b.cubicTo(l, t + h * 0.16, l + w * 0.14, t, l + w * 0.5, t);
  b.closeSubpath();
  return b;
}

void DrawMouse(QPainter& p, bool seven_buttons) {
  const QRectF body_rect(80, 30, 260, 460);
  const QPainterPath body = MouseBody(body_rect);
  const double cx = body_rect.center().x();
  const double split = body_rect.top() + body_rect.height() * 0.40;

  // Shadow.
  QRadialGradient shadow(QPointF(cx, 500), 190);
  shadow.setColorAt(0, QColor(0, 0, 0, 120));
  shadow.setColorAt(1, QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawEllipse(QPointF(cx, 495), 170, 22);

  // Side buttons (left side), drawn under the body edge.
  p.setBrush(QColor(0x2E, 0x34, 0x3F));
  p.setPen(QPen(kBodyEdge, 2));
  p.drawRoundedRect(QRectF(66, 196, 26, 46), 9, 9);
  p.drawRoundedRect(QRectF(66, 250, 26, 46), 9, 9);

  // Body.
  QLinearGradient g(body_rect.topLeft(), body_rect.bottomRight());
  g.setColorAt(0, QColor(0x2C, 0x32, 0x3D));
  g.setColorAt(1, QColor(0x1A, 0x1E, 0x25));
  p.setBrush(g);
  p.setPen(QPen(kBodyEdge, 2.5));
  p.drawPath(body);

  // Button split lines.
  p.setPen(QPen(QColor(0x12, 0x15, 0x1A), 3));
  p.drawLine(QPointF(cx, body_rect.top() + 2), QPointF(cx, split));
  QPainterPath curve;
  curve.moveTo(body_rect.left() + 4, split + 10);
  curve.quadTo(QPointF(cx, split - 18), QPointF(body_rect.right() - 4, split + 10));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);

  // Wheel.
  const QRectF wheel(cx - 15, body_rect.top() + 62, 30, 70);
  p.setPen(QPen(QColor(0x10, 0x12, 0x16), 2));
  p.setBrush(QColor(0x15, 0x18, 0x1E));
  p.drawRoundedRect(wheel.adjusted(-4, -4, 4, 4), 12, 12);
  p.setBrush(QColor(0x3A, 0x41, 0x4E));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(wheel, 10, 10);
  p.setPen(QPen(QColor(0x4C, 0x55, 0x64), 2));
  for (double y = wheel.top() + 10; y < wheel.bottom() - 6; y += 9) {
    p.drawLine(QPointF(wheel.left() + 6, y), QPointF(wheel.right() - 6, y));
  }

  if (seven_buttons) {
    // DPI button behind the wheel, with the accent stage light.
    const QRectF dpi(cx - 11, wheel.bottom() + 18, 22, 34);
    p.setPen(QPen(QColor(0x10, 0x12, 0x16), 2));
    p.setBrush(QColor(0x30, 0x36, 0x41));
    p.drawRoundedRect(dpi, 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(cx - 4, dpi.top() + 8, 8, 18), 3, 3);
    // Profile button on the left top.
    p.setPen(QPen(QColor(0x10, 0x12, 0x16), 2));
    p.setBrush(QColor(0x30, 0x36, 0x41));
    p.drawRoundedRect(QRectF(body_rect.left() + 34, body_rect.top() + 118, 30, 16), 7, 7);
    // Tail light hugging the back of the shell.
    const QPainterPath inset = MouseBody(body_rect.adjusted(12, 12, -12, -12));
    p.save();
    p.setClipRect(QRectF(0, body_rect.bottom() - 78, 420, 100));
    QColor glow = kAccent;
    glow.setAlpha(60);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(glow, 12));
    p.drawPath(inset);
    p.setPen(Stroke(kAccent, 4));
    p.drawPath(inset);
    p.restore();
    // Logo mark on the palm.
    Mark(p, QRectF(cx - 20, body_rect.top() + 270, 40, 40));
  } else {
    // A quiet mark on the palm.
    p.setPen(Stroke(kMuted, 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - 18, body_rect.top() + 280, 36, 36), 50 * 16, 260 * 16);
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: make-skin OUTPUT_DIR\n");
    return 2;
  }
  g_root = QString::fromLocal8Bit(argv[1]);

  // The window's backdrop; a page background is the same backdrop cut at the page's place,
  // opaque, so that a page hides what lies behind it without a seam.
  const auto backdrop = [](QPainter& p) {
    QLinearGradient g(0, 0, 0, 788);
    g.setColorAt(0, QColor(0x18, 0x1C, 0x23));
    g.setColorAt(1, QColor(0x10, 0x13, 0x18));
    p.fillRect(0, 0, 1300, 788, g);
    QRadialGradient glow(QPointF(760, 380), 520);
    glow.setColorAt(0, QColor(0x27, 0xB6, 0xF0, 26));
    glow.setColorAt(1, QColor(0x27, 0xB6, 0xF0, 0));
    p.fillRect(0, 0, 1300, 788, glow);
    p.setPen(QColor(255, 255, 255, 7));
    for (int x = -788; x < 1300; x += 26) p.drawLine(x, 788, x + 788, 0);
  };
  Save("main_bkg.png", 1300, 788, backdrop);
  Save("img_page_bkg.png", 1080, 628, [&](QPainter& p) {
    p.translate(-220, -112);
    backdrop(p);
  });

  Save("img_settings_bkg.png", 1300, 684, [&](QPainter& p) {
    p.translate(0, -56);
    backdrop(p);
  });

  // Reset: a circular arrow.
  Save("img_btn_reset.png", 22, 22, [](QPainter& p) {
    p.setPen(Stroke(kMuted, 1.8));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(4.5, 4.5, 13, 13);
    p.drawArc(ring, 60 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(13.8, 2.6);
    head.lineTo(15.6, 6.4);
    head.lineTo(11.6, 7.2);
    p.drawPath(head);
  });

  Save("img_area_caption.png", 1300, 64, [](QPainter& p) {
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(0x1C, 0x20, 0x28));
    g.setColorAt(1, QColor(0x17, 0x1B, 0x22));
    p.fillRect(0, 0, 1300, 64, g);
    p.fillRect(0, 63, 1300, 1, QColor(0x2A, 0x30, 0x3B));
  });

  Save("logo.png", 260, 40, [](QPainter& p) {
    Mark(p, QRectF(2, 2, 36, 36));
    QFont f = Font(22);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(f);
    p.setPen(QColor(0xEE, 0xF1, 0xF5));
    p.drawText(QRectF(50, 0, 210, 40), Qt::AlignLeft | Qt::AlignVCenter, "CORVATT");
  });

  Save("Corvatt.png", 256, 256, [](QPainter& p) { Mark(p, QRectF(8, 8, 240, 240)); });

  const auto sysbtn = [](const QString& name, const std::function<void(QPainter&)>& glyph) {
    Save(name, 32, 32, [&](QPainter& p) {
      p.setPen(Stroke(kLine, 1.8));
      p.setBrush(Qt::NoBrush);
      glyph(p);
    });
  };
  sysbtn("sysbtn_close.png", [](QPainter& p) {
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
  });
  sysbtn("sysbtn_min.png", [](QPainter& p) { p.drawLine(QPointF(10, 16.5), QPointF(22, 16.5)); });
  sysbtn("sysbtn_maximize.png", [](QPainter& p) { p.drawRoundedRect(QRectF(10.5, 10.5, 11, 11), 1.5, 1.5); });
  sysbtn("sysbtn_restore.png", [](QPainter& p) {
    p.drawRoundedRect(QRectF(9.5, 12.5, 10, 10), 1.5, 1.5);
    QPainterPath back;
    back.moveTo(12.5, 12.5);
    back.lineTo(12.5, 9.5);
    back.lineTo(22.5, 9.5);
    back.lineTo(22.5, 19.5);
    back.lineTo(19.5, 19.5);
    p.drawPath(back);
  });
  sysbtn("sysbtn_setting.png", [](QPainter& p) {
    const QPointF c(16, 16);
    for (int i = 0; i < 8; ++i) {
      const double a = i * M_PI / 4;
      p.drawLine(QPointF(c.x() + std::cos(a) * 6.5, c.y() + std::sin(a) * 6.5),
                 QPointF(c.x() + std::cos(a) * 9, c.y() + std::sin(a) * 9));
    }
    p.drawEllipse(c, 6, 6);
    p.drawEllipse(c, 2.4, 2.4);
  });

  const auto arrow = [](const QString& name, double dir) {
    Save(name, 40, 40, [dir](QPainter& p) {
      p.setPen(QPen(QColor(0x30, 0x36, 0x42), 1.5));
      p.setBrush(QColor(0x1D, 0x21, 0x29));
      p.drawEllipse(QRectF(1.5, 1.5, 37, 37));
      QPainterPath c;
      c.moveTo(20 - dir * 3.5, 13);
      c.lineTo(20 + dir * 3.5, 20);
      c.lineTo(20 - dir * 3.5, 27);
      p.setPen(Stroke(kLine, 2.2));
      p.setBrush(Qt::NoBrush);
      p.drawPath(c);
    });
  };
  // Back: a left arrow with its shaft, in the same round frame.
  Save("img_return.png", 40, 40, [](QPainter& p) {
    p.setPen(QPen(QColor(0x30, 0x36, 0x42), 1.5));
    p.setBrush(QColor(0x1D, 0x21, 0x29));
    p.drawEllipse(QRectF(1.5, 1.5, 37, 37));
    p.setPen(Stroke(kLine, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(13, 20), QPointF(27, 20));
    QPainterPath head;
    head.moveTo(19, 13.5);
    head.lineTo(12.5, 20);
    head.lineTo(19, 26.5);
    p.drawPath(head);
  });
  arrow("img_btn_pre.png", -1);
  arrow("img_btn_next.png", 1);

  Save("img_area3.png", 360, 260, [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1D, 0x21, 0x29));
    p.drawEllipse(QPointF(180, 130), 118, 118);
    // A mouse with its cable cut.
    const QRectF body(140, 70, 80, 130);
    p.setPen(QPen(QColor(0x4A, 0x52, 0x60), 3));
    p.setBrush(QColor(0x26, 0x2B, 0x34));
    p.drawPath(MouseBody(body));
    p.drawLine(QPointF(180, 72), QPointF(180, 118));
    p.setPen(Stroke(QColor(0x4A, 0x52, 0x60), 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable;
    cable.moveTo(180, 70);
    cable.cubicTo(180, 40, 215, 52, 222, 34);
    p.drawPath(cable);
    QPainterPath rest;
    rest.moveTo(236, 22);
    rest.cubicTo(246, 12, 262, 18, 272, 8);
    p.drawPath(rest);
    p.setPen(Stroke(kAccent, 3));
    p.drawLine(QPointF(224, 22), QPointF(232, 30));
    p.drawLine(QPointF(232, 18), QPointF(238, 12));
  });

  const auto tab = [](const QString& name, const std::function<void(QPainter&)>& glyph) {
    Save("icon/" + name, 48, 48, [&](QPainter& p) {
      p.setPen(Stroke(kLine, 3));
      p.setBrush(Qt::NoBrush);
      glyph(p);
    });
  };
  tab("tab_home.png", [](QPainter& p) {
    QPainterPath roof;
    roof.moveTo(8, 23);
    roof.lineTo(24, 9);
    roof.lineTo(40, 23);
    p.drawPath(roof);
    p.drawRoundedRect(QRectF(13, 21, 22, 18), 3, 3);
    p.setPen(Stroke(kAccent, 3));
    p.drawLine(QPointF(24, 31), QPointF(24, 39));
  });
  tab("tab_key.png", [](QPainter& p) {
    p.drawPath(MouseBody(QRectF(13, 6, 22, 36)));
    p.drawLine(QPointF(24, 7), QPointF(24, 19));
    p.drawLine(QPointF(13.5, 21), QPointF(34.5, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(14.5, 8.5, 8, 11), 3, 3);
  });
  tab("tab_dpi.png", [](QPainter& p) {
    p.drawArc(QRectF(7, 10, 34, 34), 0, 180 * 16);
    p.drawLine(QPointF(7, 27), QPointF(11, 27));
    p.drawLine(QPointF(37, 27), QPointF(41, 27));
    p.drawLine(QPointF(24, 10), QPointF(24, 14));
    p.setPen(Stroke(kAccent, 3));
    p.drawLine(QPointF(24, 27), QPointF(33, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(kLine);
    p.drawEllipse(QPointF(24, 27), 3.5, 3.5);
    p.setPen(Stroke(kLine, 3));
    p.drawLine(QPointF(12, 37), QPointF(36, 37));
  });
  tab("tab_macro.png", [](QPainter& p) {
    p.drawRoundedRect(QRectF(6, 14, 36, 22), 4, 4);
    p.setPen(Stroke(kLine, 2.5));
    for (int i = 0; i < 5; ++i) p.drawPoint(QPointF(12 + i * 6, 21));
    for (int i = 0; i < 4; ++i) p.drawPoint(QPointF(15 + i * 6, 26));
    p.setPen(Stroke(kAccent, 3));
    p.drawLine(QPointF(16, 31), QPointF(32, 31));
  });
  tab("tab_light.png", [](QPainter& p) {
    const QPointF c(24, 24);
    p.setPen(Stroke(kAccent, 3));
    p.drawEllipse(c, 7, 7);
    p.setPen(Stroke(kLine, 3));
    for (int i = 0; i < 8; ++i) {
      const double a = i * M_PI / 4;
      p.drawLine(QPointF(c.x() + std::cos(a) * 12, c.y() + std::sin(a) * 12),
                 QPointF(c.x() + std::cos(a) * 17, c.y() + std::sin(a) * 17));
    }
  });
  tab("tab_set.png", [](QPainter& p) {
    p.drawEllipse(QPointF(24, 24), 16, 16);
    p.drawLine(QPointF(24, 22), QPointF(24, 32));
    p.setPen(Stroke(kAccent, 4));
    p.drawPoint(QPointF(24, 15.5));
  });

  // Message dialog background and its buttons (the button image is drawn in three slices).
  Save("bk_prompt.png", 430, 230, [](QPainter& p) {
    QLinearGradient g(0, 0, 0, 230);
    g.setColorAt(0, QColor(0x1F, 0x24, 0x2D));
    g.setColorAt(1, QColor(0x18, 0x1C, 0x23));
    p.fillRect(0, 0, 430, 230, g);
    p.fillRect(0, 0, 430, 3, kAccent);
    p.setPen(QColor(0x30, 0x36, 0x42));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 429, 229));
  });
  Save("img_button.png", 100, 36, [](QPainter& p) {
    QLinearGradient g(0, 0, 0, 36);
    g.setColorAt(0, kAccent);
    g.setColorAt(1, kAccent.darker(118));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 99, 35), 8, 8);
  });

  Save("device/corvatt_v1.png", 420, 520, [](QPainter& p) { DrawMouse(p, true); });
  Save("device/corvatt_v2.png", 420, 520, [](QPainter& p) { DrawMouse(p, false); });
  return 0;
}
