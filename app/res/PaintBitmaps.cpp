// Paints the program's bitmaps (frame pieces, caption buttons, toolbar strips, application
// icon) into PNG files. Run by hand when a picture changes; the PNGs are committed:
//   cmake --build BUILD --target varlo-paint-bitmaps && BUILD/app/varlo-paint-bitmaps app/res
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

const QColor kFace(230, 230, 230);  // the toolbar images' transparent colour and the frame grey
QString g_dir;

void Save(const QImage& image, const char* name) {
    const QString path = g_dir + "/" + name;
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QImage Blank(int w, int h, const QColor& fill = Qt::transparent) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

// The caption colours, row by row over the 17 rows of the tile (window rows 2 to 18).
QColor CaptionRow(int row) {
    const double t = row / 16.0;
    if (t < 0.5) {  // a glossy upper half
        return QColor::fromRgbF(0.42 - 0.10 * t, 0.55 - 0.10 * t, 0.84 - 0.06 * t);
    }
    return QColor::fromRgbF(0.25 - 0.06 * (t - 0.5), 0.38 - 0.08 * (t - 0.5),
                            0.70 - 0.10 * (t - 0.5));
}

// Window rows 1 to 19 of the caption: the highlight line, the tile rows, the dark line.
void PaintCaptionBand(QImage& image, int x0, int width) {
    for (int y = 0; y < 19; ++y) {
        const QColor c = y == 0    ? QColor(149, 169, 214)
                         : y == 18 ? QColor(11, 11, 12)
                                   : CaptionRow(y - 1);
        for (int x = x0; x < x0 + width; ++x) {
            image.setPixelColor(x, y, c);
        }
    }
}

// The frame as the program paints it, without caption pieces, on a w x h window: used to cut
// the two bottom corners so that their lines meet the painted ones exactly.
QImage FrameSample(int w, int h) {
    QImage image = Blank(w, h, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(kFace);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 7, 7);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto vline = [&](int x, const QColor& c) { p.fillRect(x, 20, 1, h - 26, c); };
    auto hline = [&](int y, const QColor& c) { p.fillRect(5, y, w - 11, 1, c); };
    vline(1, Qt::white);
    vline(5, QColor(161, 161, 161));
    vline(w - 3, QColor(196, 196, 196));
    vline(w - 6, Qt::white);
    vline(w - 7, QColor(161, 161, 161));
    hline(h - 3, QColor(184, 184, 184));
    hline(h - 6, Qt::white);
    hline(h - 7, QColor(161, 161, 161));
    return image;
}

void PaintCorners() {
    const int w = 80, h = 80;
    QImage sample = FrameSample(w, h);
    // The straight white and grey lines stop where the rounded outline begins.
    Save(sample.copy(1, h - 23, 21, 21), "corner_bl.png");
    Save(sample.copy(w - 23, h - 23, 21, 21), "corner_br.png");
}

// The program's mark: a blue rounded square with three linked nodes.
void PaintMark(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(120, 175, 245));
    g.setColorAt(1, QColor(30, 80, 170));
    p.setPen(QPen(QColor(20, 45, 110), r.width() / 24.0));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), r.width() / 5, r.width() / 5);
    const QPointF a(r.left() + r.width() * 0.28, r.top() + r.height() * 0.30);
    const QPointF b(r.left() + r.width() * 0.72, r.top() + r.height() * 0.30);
    const QPointF c(r.left() + r.width() * 0.50, r.top() + r.height() * 0.74);
    p.setPen(QPen(Qt::white, r.width() / 11.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, c);
    p.drawLine(b, c);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 80));
    const double d = r.width() / 8.0;
    for (const QPointF& pt : {a, b, c}) {
        p.drawEllipse(pt, d, d);
    }
    p.restore();
}

void PaintCaption() {
    QImage tile = Blank(30, 17);
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 30; ++x) {
            tile.setPixelColor(x, y, CaptionRow(y));
        }
    }
    Save(tile, "caption_tile.png");

    // The left end sits at window (1, 1): the rounded top-left corner and the program's mark.
    QImage left = Blank(22, 19);
    PaintCaptionBand(left, 0, 22);
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 22; ++x) {
            // Window pixel (x + 1, y + 1) against the outline's 7-pixel corner arc.
            const double dx = 7.0 - (x + 1.5), dy = 7.0 - (y + 1.5);
            if (dx > 0 && dy > 0 && std::hypot(dx, dy) > 6.5) {
                left.setPixelColor(x, y, Qt::black);
            } else if (y == 0 && x < 9) {
                left.setPixelColor(x, y, CaptionRow(0));
            }
        }
    }
    QPainter p(&left);
    PaintMark(p, QRectF(5, 2, 14, 14));
    p.end();
    Save(left, "caption_left.png");
}

enum class Glyph { Minimize, Maximize, Close };

void PaintButton(Glyph glyph, bool pressed, const char* name) {
    QImage image = Blank(21, 19);
    PaintCaptionBand(image, 0, 21);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(2.5, 2.5, 16, 14);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    if (glyph == Glyph::Close) {
        g.setColorAt(0, pressed ? QColor(150, 40, 30) : QColor(228, 120, 100));
        g.setColorAt(1, pressed ? QColor(190, 70, 50) : QColor(180, 45, 30));
    } else {
        g.setColorAt(0, pressed ? QColor(40, 70, 140) : QColor(150, 180, 235));
        g.setColorAt(1, pressed ? QColor(70, 105, 180) : QColor(60, 95, 170));
    }
    p.setPen(QPen(QColor(255, 255, 255, pressed ? 110 : 200), 1));
    p.setBrush(g);
    p.drawRoundedRect(face, 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int o = pressed ? 1 : 0;  // the glyph sinks with the press
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    switch (glyph) {
        case Glyph::Minimize:
            p.drawRect(7 + o, 12 + o, 7, 2);
            break;
        case Glyph::Maximize:
            p.setBrush(Qt::NoBrush);
            p.setPen(Qt::white);
            p.drawRect(6 + o, 5 + o, 8, 7);
            p.drawLine(6 + o, 6 + o, 14 + o, 6 + o);
            break;
        case Glyph::Close:
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(7.5 + o, 6 + o), QPointF(13.5 + o, 12 + o));
            p.drawLine(QPointF(13.5 + o, 6 + o), QPointF(7.5 + o, 12 + o));
            break;
    }
    p.end();
    Save(image, name);
}

// ---- 24 x 24 command icons on the transparent grey ----

void Lens(QPainter& p, QPointF c, double r) {
    p.setPen(QPen(QColor(60, 60, 70), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(r * 0.7, r * 0.7), c + QPointF(r * 1.75, r * 1.75));
    QRadialGradient g(c - QPointF(r / 3, r / 3), r * 1.2);
    g.setColorAt(0, QColor(235, 248, 255));
    g.setColorAt(1, QColor(120, 180, 235));
    p.setPen(QPen(QColor(40, 80, 150), 1.6));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void Device(QPainter& p, const QRectF& r, const QColor& body) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, body.lighter(130));
    g.setColorAt(1, body);
    p.setPen(QPen(body.darker(170), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 230, 120));
    p.drawEllipse(QPointF(r.right() - 3, r.center().y()), 1.2, 1.2);
}

void Tray(QPainter& p, const QColor& c) {
    p.setPen(QPen(c.darker(160), 1.2));
    p.setBrush(c);
    QPainterPath tray;
    tray.moveTo(3, 14);
    tray.lineTo(7, 14);
    tray.lineTo(9, 17);
    tray.lineTo(15, 17);
    tray.lineTo(17, 14);
    tray.lineTo(21, 14);
    tray.lineTo(21, 21);
    tray.lineTo(3, 21);
    tray.closeSubpath();
    p.drawPath(tray);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
    p.setPen(QPen(c.darker(150), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(c, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot((to - from).x(), (to - from).y());
    const QPointF n(-d.y(), d.x());
    QPolygonF head;
    head << to + d * 3 << to - d * 3 + n * 4.5 << to - d * 3 - n * 4.5;
    p.setPen(QPen(c.darker(150), 1));
    p.setBrush(c);
    p.drawPolygon(head);
}

void Gear(QPainter& p, QPointF c) {
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = M_PI * i / teeth, a1 = M_PI * (i + 1) / teeth;
        const double r = (i % 2 == 0) ? 9.5 : 7.2;
        const QPointF p0 = c + QPointF(r * std::cos(a0), r * std::sin(a0));
        const QPointF p1 = c + QPointF(r * std::cos(a1), r * std::sin(a1));
        if (i == 0) {
            gear.moveTo(p0);
        } else {
            gear.lineTo(p0);
        }
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 3.2, 3.2);
    gear.setFillRule(Qt::OddEvenFill);
    QRadialGradient g(c - QPointF(3, 3), 12);
    g.setColorAt(0, QColor(200, 205, 215));
    g.setColorAt(1, QColor(95, 105, 125));
    p.setPen(QPen(QColor(60, 65, 80), 1));
    p.setBrush(g);
    p.drawPath(gear);
}

void Globe(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c - QPointF(r / 2.5, r / 2.5), r * 1.4);
    g.setColorAt(0, QColor(170, 220, 255));
    g.setColorAt(1, QColor(30, 110, 200));
    p.setPen(QPen(QColor(20, 70, 140), 1.2));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 190), 1));
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
    p.drawLine(c - QPointF(0, r), c + QPointF(0, r));
    p.drawLine(c + QPointF(-r * 0.85, -r * 0.5), c + QPointF(r * 0.85, -r * 0.5));
    p.drawLine(c + QPointF(-r * 0.85, r * 0.5), c + QPointF(r * 0.85, r * 0.5));
}

template <typename Paint>
void Icon(QImage& strip, int index, Paint paint) {
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(index * 24, 0);
    p.setClipRect(0, 0, 24, 24);
    paint(p);
}

void PaintToolbar() {
    // Search, IP Search, Config, Import, Export, Clear All Devices, Web Config.
    QImage strip = Blank(7 * 24, 24, kFace);
    Icon(strip, 0, [](QPainter& p) {
        Device(p, QRectF(2.5, 15.5, 19, 6), QColor(90, 110, 140));
        Lens(p, QPointF(10, 9), 6);
    });
    Icon(strip, 1, [](QPainter& p) {
        Lens(p, QPointF(9, 9), 6);
        QFont f = p.font();
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(20, 90, 40));
        p.drawText(QRectF(10, 12, 14, 12), Qt::AlignCenter, "IP");
    });
    Icon(strip, 2, [](QPainter& p) { Gear(p, QPointF(12, 12)); });
    Icon(strip, 3, [](QPainter& p) {
        Tray(p, QColor(200, 200, 210));
        Arrow(p, QPointF(12, 2), QPointF(12, 11), QColor(60, 170, 70));
    });
    Icon(strip, 4, [](QPainter& p) {
        Tray(p, QColor(200, 200, 210));
        Arrow(p, QPointF(12, 14), QPointF(12, 5), QColor(50, 120, 210));
    });
    Icon(strip, 5, [](QPainter& p) {
        for (int i = 0; i < 3; ++i) {
            Device(p, QRectF(2.5, 3.5 + i * 6.5, 16, 5), QColor(90, 110, 140));
        }
        p.setPen(QPen(QColor(120, 10, 10), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(13, 12), QPointF(21, 20));
        p.drawLine(QPointF(21, 12), QPointF(13, 20));
        p.setPen(QPen(QColor(225, 50, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(13, 12), QPointF(21, 20));
        p.drawLine(QPointF(21, 12), QPointF(13, 20));
    });
    Icon(strip, 6, [](QPainter& p) {
        Globe(p, QPointF(12, 12), 9.5);
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(Qt::white);
        QPolygonF cursor;
        cursor << QPointF(14, 12) << QPointF(14, 23) << QPointF(16.5, 20.5) << QPointF(18.5, 23.5)
               << QPointF(20, 22.5) << QPointF(18, 19.5) << QPointF(21.5, 19.5);
        p.drawPolygon(cursor);
    });
    Save(strip, "toolbar.png");

    // Add and Modify of the COM mapping pane.
    QImage com = Blank(2 * 24, 24, kFace);
    auto port = [](QPainter& p) {
        p.setPen(QPen(QColor(50, 50, 60), 1));
        QLinearGradient g(0, 6, 0, 16);
        g.setColorAt(0, QColor(245, 245, 250));
        g.setColorAt(1, QColor(170, 175, 190));
        p.setBrush(g);
        QPolygonF d;
        d << QPointF(2.5, 6.5) << QPointF(17.5, 6.5) << QPointF(15.5, 15.5) << QPointF(4.5, 15.5);
        p.drawPolygon(d);
        p.setBrush(QColor(50, 50, 60));
        for (int i = 0; i < 5; ++i) {
            p.drawEllipse(QPointF(5 + i * 2.5, 9.5), 0.8, 0.8);
        }
        for (int i = 0; i < 4; ++i) {
            p.drawEllipse(QPointF(6.2 + i * 2.5, 12.5), 0.8, 0.8);
        }
    };
    Icon(com, 0, [&](QPainter& p) {
        port(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 150, 50));
        p.drawEllipse(QPointF(17.5, 17.5), 6, 6);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(14.5, 16.5, 6, 2));
        p.drawRect(QRectF(16.5, 14.5, 2, 6));
    });
    Icon(com, 1, [&](QPainter& p) {
        port(p);
        p.translate(17, 17);
        p.rotate(-45);
        p.setPen(QPen(QColor(60, 50, 30), 1));
        p.setBrush(QColor(240, 190, 60));
        p.drawRect(QRectF(-2.2, -9, 4.4, 12));
        p.setBrush(QColor(235, 120, 120));
        p.drawRect(QRectF(-2.2, -11.5, 4.4, 2.5));
        p.setBrush(QColor(240, 220, 180));
        QPolygonF tip;
        tip << QPointF(-2.2, 3) << QPointF(2.2, 3) << QPointF(0, 7);
        p.drawPolygon(tip);
    });
    Save(com, "com_mapping.png");
}

void PaintAppIcon() {
    for (const int size : {16, 32, 48}) {
        QImage icon = Blank(size, size);
        QPainter p(&icon);
        PaintMark(p, QRectF(0, 0, size, size));
        p.end();
        Save(icon, qPrintable(QString("varlo_%1.png").arg(size)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    g_dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_dir);
    PaintCaption();
    PaintCorners();
    PaintButton(Glyph::Minimize, false, "btn_min.png");
    PaintButton(Glyph::Minimize, true, "btn_min_pressed.png");
    PaintButton(Glyph::Maximize, false, "btn_max.png");
    PaintButton(Glyph::Maximize, true, "btn_max_pressed.png");
    PaintButton(Glyph::Close, false, "btn_close.png");
    PaintButton(Glyph::Close, true, "btn_close_pressed.png");
    PaintToolbar();
    PaintAppIcon();
    return 0;
}
