#!/bin/sh
# Renders the artwork with QtSvg (the renderer the program uses) into PNGs for
# looking at, and builds a preview of the whole main window from the pieces.
#   tools/render_art.sh [outdir]       (default /tmp/vesko-art)
# Writes <name>.png and <name>@2x.png for every picture, window.png and
# window@2x.png (the assembled main window), and checks the masked pictures.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-/tmp/vesko-art}
mkdir -p "$out"
tool="$out/artview"
src="$out/artview.cpp"
cat > "$src.new" <<'CPP'
#include <QGuiApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QFileInfo>
#include <QBitmap>
#include <cstdio>

static QImage render(const QString &file, qreal scale, QSize *logical = nullptr)
{
    QSvgRenderer r(file);
    if (!r.isValid()) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(file));
        return {};
    }
    const QSize s = r.defaultSize();
    if (logical)
        *logical = s;
    QImage img(s * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    r.render(&p);
    p.end();
    img.setDevicePixelRatio(scale);
    return img;
}

// Pixels whose exact colour is `cut` become transparent, as the program does
// for the keys and the window shape.
static QImage cutColour(QImage img, QRgb cut)
{
    img = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xffffff) == (cut & 0xffffff) && qAlpha(line[x]) == 255)
                line[x] = 0;
    }
    return img;
}

// Counts pixels that are nearly but not exactly the cut colour: a sign of
// anti-aliased mask edges.
static int nearMisses(const QImage &src, QRgb cut)
{
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            const int d = qAbs(qRed(c) - qRed(cut)) + qAbs(qGreen(c) - qGreen(cut)) + qAbs(qBlue(c) - qBlue(cut));
            if (d > 0 && d < 60)
                ++n;
        }
    return n;
}

struct Place { const char *name; int x, y; };

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString art = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir dir(art);
    for (const QString &f : dir.entryList({"*.svg"}, QDir::Files, QDir::Name)) {
        const QString base = QFileInfo(f).completeBaseName();
        for (qreal scale : {1.0, 2.0}) {
            QSize logical;
            QImage img = render(dir.filePath(f), scale, &logical);
            img.save(out + "/" + base + (scale == 2.0 ? "@2x" : "") + ".png");
        }
    }
    if (argc > 3) {
        QSize s;
        render(QString::fromLocal8Bit(argv[3]), 1, &s).save(out + "/icon.png");
        render(QString::fromLocal8Bit(argv[3]), 48.0 / s.width()).save(out + "/icon48.png");
        render(QString::fromLocal8Bit(argv[3]), 16.0 / s.width()).save(out + "/icon16.png");
    }

    int problems = 0;
    for (qreal scale : {1.0, 2.0}) {
        for (const char *n : {"key_white", "key_white_lit"}) {
            const int m = nearMisses(render(art + "/" + n + ".svg", scale), qRgb(0, 0, 0));
            if (m) { std::printf("%s @%gx: %d near-black pixels\n", n, scale, m); ++problems; }
        }
        for (const char *n : {"key_black", "key_black_lit"}) {
            const int m = nearMisses(render(art + "/" + n + ".svg", scale), qRgb(255, 255, 255));
            if (m) { std::printf("%s @%gx: %d near-white pixels\n", n, scale, m); ++problems; }
        }
        const QImage shape = render(art + "/window_shape.svg", scale).convertToFormat(QImage::Format_ARGB32);
        int other = 0;
        for (int y = 0; y < shape.height(); ++y)
            for (int x = 0; x < shape.width(); ++x) {
                const QRgb c = shape.pixel(x, y);
                if (c != qRgb(0, 0, 0) && c != qRgb(255, 255, 255))
                    ++other;
            }
        if (other) { std::printf("window_shape @%gx: %d pixels neither black nor white\n", scale, other); ++problems; }
    }

    const Place places[] = {
        {"record_down", 304, 157}, {"stop", 356, 157}, {"play", 406, 157},
        {"open", 610, 160}, {"save", 660, 160}, {"about", 710, 160},
        {"settings", 191, 158}, {"settings_down", 513, 158},
        {"speaker", 40, 59}, {"speaker_lit", 663, 60},
        {"notes", 392, 122}, {"wave_down", 363, 122},
        {"minimise", 672, 4}, {"exit", 711, 4},
    };
    for (qreal scale : {1.0, 2.0}) {
        QImage win(QSize(786, 325) * scale, QImage::Format_ARGB32_Premultiplied);
        win.setDevicePixelRatio(scale);
        win.fill(QColor(120, 130, 140));
        QImage body(QSize(786, 325) * scale, QImage::Format_ARGB32_Premultiplied);
        body.setDevicePixelRatio(scale);
        body.fill(QColor(240, 240, 240));
        QPainter p(&body);
        p.drawImage(0, 0, render(art + "/main_background.svg", scale));
        for (const Place &pl : places)
            p.drawImage(pl.x, pl.y, render(art + "/" + pl.name + ".svg", scale));
        for (int i = 0; i < 12; ++i) {
            const int cols[] = {485, 523, 561}, rows[] = {73, 91, 109, 128};
            const QString n = QString("preset_%1%2").arg(i + 1).arg(i == 0 ? "_down" : "");
            p.drawImage(cols[i % 3], rows[i / 3], render(art + "/" + n + ".svg", scale));
        }
        p.drawImage(185, 80, render(art + "/knob.svg", scale));
        p.drawImage(228, 104, render(art + "/knob_down.svg", scale));
        // the sound wave as the program draws it, on the left half of the display
        p.fillRect(QRect(293, 72, 80, 44), QColor(32, 170, 223));
        for (int i = 1; i <= 8; ++i)
            p.fillRect(QRect(10 * i - 8 + 293, 72 + 8 + (i * 7) % 20, 8, 44 - 8 - (i * 7) % 20), QColor(0, 255, 255));
        const QImage w = cutColour(render(art + "/key_white.svg", scale), qRgb(0, 0, 0));
        const QImage wl = cutColour(render(art + "/key_white_lit.svg", scale), qRgb(0, 0, 0));
        const QImage b = cutColour(render(art + "/key_black.svg", scale), qRgb(255, 255, 255));
        const QImage bl = cutColour(render(art + "/key_black_lit.svg", scale), qRgb(255, 255, 255));
        int note = 36;
        for (int pos = 1; pos <= 71; ++pos) {
            const int skip = pos % 14;
            if (pos % 2 == 0 && (skip == 6 || skip == 0))
                continue;
            if (pos % 2 == 1)
                p.drawImage(64 + 18 * (pos / 2), 195, (note == 60 || note == 64) ? wl : w);
            ++note;
        }
        note = 36;
        for (int pos = 1; pos <= 71; ++pos) {
            const int skip = pos % 14;
            if (pos % 2 == 0 && (skip == 6 || skip == 0))
                continue;
            if (pos % 2 == 0)
                p.drawImage(64 + 12 + 18 * (pos / 2 - 1), 195, note == 66 ? bl : b);
            ++note;
        }
        p.end();
        const QImage shape = render(art + "/window_shape.svg", scale).convertToFormat(QImage::Format_ARGB32);
        QPainter wp(&win);
        QImage masked = body.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < masked.height(); ++y)
            for (int x = 0; x < masked.width(); ++x)
                if (x >= shape.width() || y >= shape.height() || (shape.pixel(x, y) & 0xffffff) == 0)
                    masked.setPixel(x, y, 0);
        masked.setDevicePixelRatio(scale);
        wp.drawImage(0, 0, masked);
        wp.end();
        win.save(out + (scale == 2.0 ? "/window@2x.png" : "/window.png"));
    }
    std::printf("%s\n", problems ? "mask checks: problems found" : "mask checks: clean");
    return problems ? 1 : 0;
}
CPP
if [ ! -x "$tool" ] || ! cmp -s "$src.new" "$src"; then
    mv "$src.new" "$src"
    g++ -std=c++20 -O1 -fPIC -o "$tool" "$src" $(pkg-config --cflags --libs Qt6Svg Qt6Gui)
else
    rm -f "$src.new"
fi
QT_QPA_PLATFORM=offscreen "$tool" "$here/resources/art" "$out" "$here/resources/vesko-keyboard.svg"
echo "previews in $out (window.png is the assembled main window)"
