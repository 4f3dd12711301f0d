#include "platform/qt/qt_system.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/jpeg/jpeg_decoder.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_wait.h"

namespace platform::qt {
namespace {

constexpr auto kPaintStep = std::chrono::milliseconds(5);

}  // namespace

void QtSystem::Sleep(int ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        KeepWindowsPainted();
        std::this_thread::sleep_for(std::min<Clock::duration>(kPaintStep, deadline - now));
    }
}

std::tm QtSystem::LocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void QtSystem::MessageBox(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setIconPixmap(QPixmap());
    box.exec();
}

std::string QtSystem::HomeFolder() { return QDir::homePath().toStdString() + "/"; }

std::vector<std::string> QtSystem::OpenFiles(const std::string& title, const std::string& folder,
                                             const std::string& filter) {
    const QStringList chosen = QFileDialog::getOpenFileNames(
        QApplication::activeWindow(), QString::fromStdString(title), QString::fromStdString(folder),
        QString::fromStdString(filter), nullptr, QFileDialog::DontUseNativeDialog);
    std::vector<std::string> paths;
    for (const QString& path : chosen) paths.push_back(path.toStdString());
    return paths;
}

// JPEG goes through libjpeg with its default settings, so colours come out as that decoder
// gives them; anything else (BMP, PNG) through Qt.
bool QtSystem::LoadImage(const std::string& path, common::Image& image) {
    if (jpeg::LooksLikeJpeg(path)) return jpeg::DecodeJpegFile(path, image);
    QImage decoded;
    if (!decoded.load(QString::fromStdString(path))) return false;
    decoded = decoded.convertToFormat(QImage::Format_RGB32);
    common::Image converted(decoded.width(), decoded.height());
    for (int y = 0; y < decoded.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(decoded.constScanLine(y));
        for (int x = 0; x < decoded.width(); ++x) converted.Set(x, y, FromQRgb(line[x]));
    }
    image = std::move(converted);
    return true;
}

// Qt answers black for a point off every screen; that would read as "covered", so say invalid.
common::Colour QtSystem::DesktopPixel(int x, int y) {
    QScreen* screen = QGuiApplication::screenAt(QPoint(x, y));
    if (!screen) return kInvalidColour;
    const QPoint origin = screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, x - origin.x(), y - origin.y(), 1, 1).toImage();
    if (pixel.isNull()) return kInvalidColour;
    return FromQRgb(pixel.pixel(0, 0));
}

void QtSystem::Exit(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace platform::qt
