#!/bin/sh
# Renders the artwork with QtSvg (the renderer the program uses) into PNGs for
# looking at, builds a preview of the whole main window from the pieces and
# checks the pictures the program cuts by colour.
#   tools/render_art.sh [outdir]       (default /tmp/vesko-art)
# Writes <name>.png and <name>@2x.png for every picture, window.png and
# window@2x.png (the assembled main window, playing: some keys lit, the right
# speaker blinked off), sheet.png (every control picture at 4x) and icon*.png.
# Exits non-zero when a picture has the wrong size or a stray cut colour.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-/tmp/vesko-art}
mkdir -p "$out"
tool="$out/artview"
src="$out/artview.cpp"
cat > "$src.new" <<'CPP'
#include <QDir>
#include <QFont>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QSvgRenderer>
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
    r.render(&p, QRectF(QPointF(0, 0), QSizeF(s)* scale));
    p.end();
    img.setDevicePixelRatio(scale);
    return img;
}

// What the program keeps of a picture with a transparent colour: pixels of
// that exact colour and mostly transparent ones are cut away.
static bool cutAway(QRgb premultiplied, QRgb cut)
{
    const QRgb px = qUnpremultiply(premultiplied);
    return qAlpha(px) < 128 || (px & 0xffffff) == (cut & 0xffffff);
}

static QImage cutColour(const QImage &src, QRgb cut)
{
    QImage img = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (cutAway(line[x], cut))
                line[x] = 0;
    }
    return img;
}

// Opaque pixels of exactly the cut colour that lie where the picture should be
// whole: the key would get a hole there.
static int strayCut(const QImage &src, QRgb cut, int allowedRightColumns)
{
    const QImage img = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int n = 0;
    const int limit = img.width() - allowedRightColumns * img.devicePixelRatio();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < limit; ++x) {
            const QRgb px = qUnpremultiply(img.pixel(x, y));
            if (qAlpha(px) >= 128 && (px & 0xffffff) == (cut & 0xffffff))
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
    int problems = 0;

    // Every picture at its exact control size.
    QMap<QString, QSize> sizes = {
        {"main_background", {786, 325}}, {"window_shape", {782, 325}}, {"splash", {496, 372}},
        {"emblem", {32, 32}}, {"speaker", {76, 75}}, {"speaker_lit", {76, 75}},
        {"key_white", {18, 111}}, {"key_white_lit", {18, 111}}, {"key_black", {12, 70}}, {"key_black_lit", {12, 70}},
    };
    for (const char *n : {"record"}) { sizes[n] = {32, 21}; sizes[QString(n) + "_down"] = {32, 21}; }
    for (const char *n : {"stop", "play"}) { sizes[n] = {33, 21}; sizes[QString(n) + "_down"] = {33, 21}; }
    for (const char *n : {"open", "save", "about"}) { sizes[n] = {48, 19}; sizes[QString(n) + "_down"] = {48, 19}; }
    for (const char *n : {"settings"}) { sizes[n] = {46, 22}; sizes[QString(n) + "_down"] = {46, 22}; }
    for (const char *n : {"knob"}) { sizes[n] = {17, 26}; sizes[QString(n) + "_down"] = {17, 26}; }
    for (const char *n : {"wave", "notes"}) { sizes[n] = {23, 23}; sizes[QString(n) + "_down"] = {23, 23}; }
    for (const char *n : {"minimise", "exit"}) { sizes[n] = {35, 23}; sizes[QString(n) + "_down"] = {35, 23}; }
    for (int i = 1; i <= 12; ++i) {
        sizes[QString("preset_%1").arg(i)] = {33, 17};
        sizes[QString("preset_%1_down").arg(i)] = {33, 17};
    }

    QDir dir(art);
    const QStringList files = dir.entryList({"*.svg"}, QDir::Files, QDir::Name);
    for (const QString &f : files) {
        const QString base = QFileInfo(f).completeBaseName();
        for (qreal scale : {1.0, 2.0}) {
            QSize logical;
            QImage img = render(dir.filePath(f), scale, &logical);
            img.save(out + "/" + base + (scale == 2.0 ? "@2x" : "") + ".png");
            if (scale == 1.0 && sizes.contains(base) && logical != sizes[base]) {
                std::printf("%s: %dx%d, expected %dx%d\n", qPrintable(base), logical.width(), logical.height(),
                            sizes[base].width(), sizes[base].height());
                ++problems;
            }
        }
    }
    for (auto it = sizes.cbegin(); it != sizes.cend(); ++it)
        if (!files.contains(it.key() + ".svg")) {
            std::printf("missing %s.svg\n", qPrintable(it.key()));
            ++problems;
        }
    if (argc > 3) {
        QSize s;
        render(QString::fromLocal8Bit(argv[3]), 1, &s).save(out + "/icon.png");
        render(QString::fromLocal8Bit(argv[3]), 48.0 / s.width()).save(out + "/icon48.png");
        render(QString::fromLocal8Bit(argv[3]), 16.0 / s.width()).save(out + "/icon16.png");
    }

    for (qreal scale : {1.0, 2.0}) {
        for (const char *n : {"key_white", "key_white_lit"}) {
            const int m = strayCut(render(art + "/" + n + ".svg", scale), qRgb(0, 0, 0), 1);
            if (m) { std::printf("%s @%gx: %d pure black pixels inside the key\n", n, scale, m); ++problems; }
        }
        for (const char *n : {"key_black", "key_black_lit"}) {
            const int m = strayCut(render(art + "/" + n + ".svg", scale), qRgb(255, 255, 255), 0);
            if (m) { std::printf("%s @%gx: %d pure white pixels inside the key\n", n, scale, m); ++problems; }
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

    // The window while a score plays: record off, play checked, preset 1
    // checked, the sound wave shown, the right speaker blinked off.
    const Place places[] = {
        {"record", 304, 157}, {"stop", 356, 157}, {"play_down", 406, 157},
        {"open", 610, 160}, {"save", 660, 160}, {"about", 710, 160},
        {"settings", 191, 158}, {"settings", 513, 158},
        {"speaker", 40, 59},
        {"notes", 392, 122}, {"wave", 363, 122},
        {"minimise", 672, 4}, {"exit", 711, 4},
    };
    for (qreal scale : {1.0, 2.0}) {
        QImage win(QSize(786, 325) * scale, QImage::Format_ARGB32_Premultiplied);
        win.setDevicePixelRatio(scale);
        win.fill(QColor(214, 220, 226));   // the desktop behind the window
        QImage body(QSize(786, 325) * scale, QImage::Format_ARGB32_Premultiplied);
        body.setDevicePixelRatio(scale);
        body.fill(QColor(255, 0, 255));    // shows anything the background leaves unpainted
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
        // the sound wave as the program draws it
        p.fillRect(QRect(293, 72, 161, 44), QColor(32, 170, 223));
        for (int i = 1; i <= 16; ++i) {
            const int top = 8 + (i * 7) % 22;
            p.fillRect(QRect(10 * i - 8 + 293, 72 + top, 8, 44 - top), QColor(0, 255, 255));
        }
        const QImage w = cutColour(render(art + "/key_white.svg", scale), qRgb(0, 0, 0));
        const QImage wl = cutColour(render(art + "/key_white_lit.svg", scale), qRgb(0, 0, 0));
        const QImage b = cutColour(render(art + "/key_black.svg", scale), qRgb(255, 255, 255));
        const QImage bl = cutColour(render(art + "/key_black_lit.svg", scale), qRgb(255, 255, 255));
        auto lit = [](int note) { return note == 60 || note == 64 || note == 67 || note == 66 || note == 85; };
        for (int pass = 0; pass < 2; ++pass) {
            int note = 36;
            for (int pos = 1; pos <= 71; ++pos) {
                const int r = pos % 14;
                if (pos % 2 == 0 && (r == 6 || r == 0))
                    continue;
                if (pass == 0 && pos % 2 == 1)
                    p.drawImage(64 + 18 * (pos / 2), 195, lit(note) ? wl : w);
                if (pass == 1 && pos % 2 == 0)
                    p.drawImage(64 + 12 + 18 * (pos / 2 - 1), 195, lit(note) ? bl : b);
                ++note;
            }
        }
        p.end();
        const QImage shape = render(art + "/window_shape.svg", scale).convertToFormat(QImage::Format_ARGB32);
        QImage masked = body.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < masked.height(); ++y)
            for (int x = 0; x < masked.width(); ++x)
                if (x >= shape.width() || y >= shape.height() || (shape.pixel(x, y) & 0xffffff) == 0)
                    masked.setPixel(x, y, 0);
        masked.setDevicePixelRatio(scale);
        QPainter wp(&win);
        wp.drawImage(0, 0, masked);
        wp.end();
        win.save(out + (scale == 2.0 ? "/window@2x.png" : "/window.png"));
    }

    // Every control picture, normal and pressed, at 4x on a body-coloured sheet.
    {
        const qreal s = 4;
        QStringList names;
        for (const char *n : {"record", "stop", "play", "open", "save", "about", "settings", "knob", "wave",
                              "notes", "minimise", "exit", "preset_1", "preset_7", "preset_12", "speaker",
                              "key_white", "key_black", "emblem"})
            names << n;
        const int cellW = 90 * s, cellH = 118 * s, perRow = 10;
        QImage sheet(QSize(perRow * cellW, ((names.size() * 2 + perRow - 1) / perRow) * cellH), QImage::Format_ARGB32_Premultiplied);
        sheet.fill(QColor(40, 48, 62));
        QPainter p(&sheet);
        int k = 0;
        for (const QString &n : names) {
            for (const QString &v : {QString(), n.startsWith("key") || n == "speaker" ? QString("_lit") : QString("_down")}) {
                QString file = art + "/" + n + v + ".svg";
                if (!QFile::exists(file))
                    continue;
                QImage img = render(file, s);
                img.setDevicePixelRatio(1);
                p.drawImage((k % perRow) * cellW + 4 * s, (k / perRow) * cellH + 4 * s, img);
                ++k;
            }
        }
        p.end();
        sheet.save(out + "/sheet.png");
    }
    // The splash as the program shows it, with its emblem and name drawn over.
    {
        QImage sp = render(art + "/splash.svg", 1);
        QPainter p(&sp);
        p.drawImage(72, 36, render(art + "/emblem.svg", 1));
        QFont f("WenQuanYi Micro Hei");
        f.setPixelSize(24);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(32, 67, 112, 32), Qt::AlignLeft | Qt::AlignVCenter, "Vesko");
        f.setPixelSize(11);
        p.setFont(f);
        p.setPen(QColor(200, 210, 220));
        p.drawText(QRect(32, 336, 256, 16), Qt::AlignLeft | Qt::AlignVCenter, "Copyright small print line");
        p.end();
        sp.save(out + "/splash_preview.png");
    }
    std::printf("%s\n", problems ? "checks: problems found" : "checks: sizes and masks clean");
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
