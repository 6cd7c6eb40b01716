// SPDX-License-Identifier: MIT
// How far the figures of a frame that the X server shrank before the copy lie from those of the frame read
// at full size, for photos, pages of text light and dark and the aliasing worst case. Started by
// shrink-error.sh on an Xvfb whose main monitor is 1920x1080 at the origin; exits 1 when a figure is
// beyond the bound (0.01 of mean luminance, 0.02 of the dark and bright shares).
#include "platform/linux/capture/ShowOnRoot.h"
#include "platform/linux/x11/X11DisplayServices.h"
#include "platform/linux/x11/capture/X11ShmCapture.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace lumvex;

namespace {

// A photo of the test set, filling a 1920x1080 screen.
QImage photo(const std::string &file)
{
    const QImage image(QString::fromStdString(std::string(LUMVEX_SCREENS) + "/" + file));
    const QImage filled = image.scaled(1920, 1080, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return filled.copy((filled.width() - 1920) / 2, (filled.height() - 1080) / 2, 1920, 1080)
        .convertToFormat(QImage::Format_RGB32);
}

// A page of text as an editor or browser shows it: rendered glyphs, lines of varying length, margins.
QImage page(QColor background, std::vector<QColor> inks, const QString &family, int pixelSize)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    QFont font(family);
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    const QString words = QStringLiteral("the quick brown fox jumps over lazy dogs while 42 wizards quietly hex "
                                         "every jovial kludge; return value(x) + offset * 3 == {}");
    const int lineHeight = pixelSize * 3 / 2;
    for (int line = 0, y = 60; y < 1040; ++line, y += lineHeight) {
        painter.setPen(inks[static_cast<std::size_t>(line) % inks.size()]);
        const int start = (line * 37) % 60;
        painter.drawText(80 + (line % 7) * 16, y, words.mid(start) + words.left(start + (line * 53) % 90));
    }
    return image;
}

// One-pixel lines every 4 pixels both ways: what a sampling filter gets most wrong.
QImage hairlines()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < 1080; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < 1920; ++x) {
            row[x] = x % 4 == 1 || y % 4 == 1 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        }
    }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const DisplayId panel = X11DisplayServices().mainDisplay();
    if (panel == 0) {
        std::fprintf(stderr, "lumvex_shrink_error: no display found on the X server at DISPLAY\n");
        return 1;
    }
    const std::vector<std::pair<std::string, QImage>> frames{
        {"photo Aqua", photo("Aqua.jpg")},
        {"photo FreshFlower", photo("FreshFlower.jpg")},
        {"photo GreenMeadow", photo("GreenMeadow.jpg")},
        {"text on white", page(Qt::white, {Qt::black, QColor(40, 40, 40)}, "DejaVu Sans", 13)},
        {"small text on white", page(Qt::white, {Qt::black}, "DejaVu Serif", 10)},
        {"dark editor", page(QColor(30, 30, 30), {QColor(212, 212, 212), QColor(86, 156, 214), QColor(206, 145, 120)},
                             "DejaVu Sans Mono", 14)},
        {"hairlines", hairlines()},
    };
    test::showOnRoot(QImage(1920, 1080, QImage::Format_RGB32));
    X11ShmCapture shrinking(panel, X11ShmCapture::Mode::WhenDrawn, X11ShmCapture::kScale);
    shrinking.captureAndReduce();
    bool within = true;
    std::printf("%-20s %8s %9s %8s %9s %8s %9s %7s\n", "frame", "mean", "error", "dark", "error", "bright", "error",
                "shrunk");
    for (const auto &[name, image] : frames) {
        test::showOnRoot(image);
        // The server's notice of the drawing may take a moment to reach the capture's connection.
        const int before = shrinking.framesRead();
        const int scaledBefore = shrinking.scaledFramesRead();
        std::optional<ScreenReduction> shrunk;
        for (int i = 0; i < 200 && shrinking.framesRead() == before; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            shrunk = shrinking.captureAndReduce();
        }
        const auto exact = X11ShmCapture(panel, X11ShmCapture::Mode::EveryTime, std::nullopt).captureAndReduce();
        if (!shrunk || !exact) {
            std::fprintf(stderr, "lumvex_shrink_error: %s was not read\n", name.c_str());
            return 1;
        }
        const double mean = shrunk->meanLuminance - exact->meanLuminance;
        const double dark = shrunk->signature.pctDark - exact->signature.pctDark;
        const double bright = shrunk->signature.pctBright - exact->signature.pctBright;
        within = within && std::abs(mean) <= 0.01 && std::abs(dark) <= 0.02 && std::abs(bright) <= 0.02;
        std::printf("%-20s %8.4f %+9.4f %8.4f %+9.4f %8.4f %+9.4f %7s\n", name.c_str(), exact->meanLuminance, mean,
                    exact->signature.pctDark, dark, exact->signature.pctBright, bright,
                    shrinking.scaledFramesRead() > scaledBefore ? "yes" : "no");
    }
    std::printf(within ? "all within the bound\n" : "BEYOND THE BOUND\n");
    return within ? 0 : 1;
}
