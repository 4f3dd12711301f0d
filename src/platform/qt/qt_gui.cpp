#include "platform/qt/qt_gui.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBitmap>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "common/ids.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_widgets.h"
#include "platform/qt/x11_window_state.h"

namespace platform::qt {
namespace {

// Rounded up: a wait that ends early would leave the rest to a second sleep.
int MillisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    const auto left = deadline - std::chrono::steady_clock::now();
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

QString CssColour(common::Colour colour) { return ToQColor(colour).name(QColor::HexRgb); }

// The list opens below the field instead of over it.
const QString kComboBaseStyle = QStringLiteral("QComboBox { combobox-popup: 0; }");

QString ComboStyle(common::Colour text, common::Colour background) {
    const QString colours = QStringLiteral("color: %1; background-color: %2;")
                                .arg(CssColour(text), CssColour(background));
    return QStringLiteral(
               "QComboBox { combobox-popup: 0; %1 }"
               " QComboBox QAbstractItemView { %1 }")
        .arg(colours);
}

void SetWidgetColours(QWidget* widget, common::Colour text, common::Colour background) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, ToQColor(text));
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, ToQColor(background));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The lowest selected row, as the program reads a list's state.
int LowestSelectedRow(const QListWidget& list) {
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->isSelected()) return row;
    return -1;
}

}  // namespace

QtGui::QtGui() {
    wait_timer_.setSingleShot(true);
    wait_timer_.setTimerType(Qt::PreciseTimer);
    connect(&wait_timer_, &QTimer::timeout, this, [this] { wait_expired_ = true; });
    qApp->installEventFilter(this);
}

QtGui::~QtGui() {
    qApp->removeEventFilter(this);
    for (auto& [number, window] : windows_) delete window;
}

bool QtGui::OpenWindow(int window, int x, int y, int width, int height, const std::string& title) {
    CloseWindow(window);
    auto* top = new TopWindow([this, window] { OnWindowCloseRequested(window); },
                              [this] { RepaintWindows(); });
    top->setWindowTitle(QString::fromStdString(title));
    // Setting the geometry before showing places the outer corner exactly, with or without a
    // window manager.
    top->setGeometry(x, y, width, height);
    top->show();
    windows_[window] = top;
    current_window_ = window;
    return true;
}

void QtGui::CloseWindow(int window) {
    auto found = windows_.find(window);
    if (found == windows_.end()) return;
    TopWindow* top = found->second;
    windows_.erase(found);
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->first.first == window) {
            delete it->second;
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
    ForgetControlsOf(window);
    top->hide();
    top->deleteLater();
}

bool QtGui::IsWindowOpen(int window) const { return windows_.count(window) != 0; }

Point QtGui::WindowPosition(int window) const {
    const QWidget* top = WindowWidget(window);
    if (!top) return {};
    return {top->x(), top->y()};
}

int QtGui::WindowWidth(int window) const {
    const QWidget* top = WindowWidget(window);
    return top ? top->width() : 0;
}

int QtGui::WindowHeight(int window) const {
    const QWidget* top = WindowWidget(window);
    return top ? top->height() : 0;
}

void QtGui::MoveWindow(int window, int x, int y) {
    if (QWidget* top = WindowWidget(window)) top->move(x, y);
}

void QtGui::SetWindowTitle(int window, const std::string& title) {
    if (QWidget* top = WindowWidget(window)) top->setWindowTitle(QString::fromStdString(title));
}

void QtGui::SetWindowColour(int window, common::Colour colour) {
    QWidget* top = WindowWidget(window);
    if (!top) return;
    QPalette palette = top->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    top->setPalette(palette);
    top->setAutoFillBackground(true);
    top->repaint();
}

// Like a system move: the window follows the pointer, keeping the pressed spot under it, until
// the left button comes up. Only the mouse is taken over; painting goes on meanwhile.
void QtGui::DragWindow(int window) {
    QWidget* top = WindowWidget(window);
    if (!top || track_.window != window) return;
    dragging_ = true;
    const bool grab = !track_.released;
    if (grab) top->grabMouse();
    MoveWithPointer(top);
    while (!track_.released && (QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        MoveWithPointer(top);
    }
    if (grab) top->releaseMouse();
    dragging_ = false;
    track_ = PointerTrack{};
}

void QtGui::MoveWithPointer(QWidget* top) const {
    top->move(track_.window_at_press + track_.pointer - track_.pressed_at);
}

void QtGui::SetWindowShape(int window, const common::Mask& mask) {
    QWidget* top = WindowWidget(window);
    if (!top) return;
    if (mask.kept.empty()) {
        top->clearMask();
        return;
    }
    // A bitmap's set bits (color1, black) are what a region made from it holds.
    QImage bits(mask.width, mask.height, QImage::Format_MonoLSB);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    bits.fill(0);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x)
            if (mask.Kept(x, y)) bits.setPixel(x, y, 1);
    }
    top->setMask(QRegion(QBitmap::fromImage(bits)));
}

void QtGui::SetWindowSkin(int window, const common::Image* image) {
    auto found = windows_.find(window);
    if (found != windows_.end()) found->second->SetSkin(image);
}

// Kept out of the task bar and the pager: the window manager learns it before the window shows.
void QtGui::SetToolWindow(int window, bool on) {
    QWidget* top = WindowWidget(window);
    if (!top) return;
    const bool was_visible = top->isVisible();
    top->setWindowFlag(Qt::Tool, on);
    SetSkipTaskbar(top->winId(), on);
    if (was_visible) top->show();
}

void QtGui::ActivateWindow(int window) {
    if (QWidget* top = WindowWidget(window)) top->activateWindow();
}

// A move of either window repaints both, as the skin is shared between them.
void QtGui::RepaintWindows() {
    for (auto& [number, window] : windows_) window->update();
}

void QtGui::CreateImageButton(int control, int x, int y, int width, int height,
                              const common::Image* image) {
    QWidget* parent = WindowWidget(current_window_);
    if (!parent) return;
    const int window = current_window_;
    auto* button = new ImageButton(parent, QSize(width, height),
                                   [this, window, control] { QueueControlEvent(window, control); });
    button->move(x, y);
    button->SetImage(image);
    button->show();
    Register(control, button);
}

void QtGui::SetButtonImage(int control, const common::Image* image) {
    if (auto* button = dynamic_cast<ImageButton*>(ControlWidget(control))) button->SetImage(image);
}

void QtGui::CreateProgressBar(int control, int x, int y, int width, int height, int minimum,
                              int maximum) {
    QWidget* parent = WindowWidget(current_window_);
    if (!parent) return;
    auto* bar = new QProgressBar(parent);
    bar->setGeometry(x, y, width, height);
    bar->setRange(minimum, maximum);
    bar->setValue(minimum);
    bar->setTextVisible(false);
    bar->show();
    Register(control, bar);
}

void QtGui::CreateTrackBar(int control, int x, int y, int width, int height, int minimum,
                           int maximum) {
    QWidget* parent = WindowWidget(current_window_);
    if (!parent) return;
    const int window = current_window_;
    // A vertical QSlider already has its maximum at the top.
    auto* slider = new QSlider(Qt::Vertical, parent);
    slider->setGeometry(x, y, width, height);
    slider->setRange(minimum, maximum);
    slider->setTickPosition(QSlider::TicksRight);
    slider->setFocusPolicy(Qt::StrongFocus);
    connect(slider, &QSlider::actionTriggered, this,
            [this, window, control] { QueueControlEvent(window, control); });
    connect(slider, &QSlider::sliderReleased, this,
            [this, window, control] { QueueControlEvent(window, control); });
    slider->show();
    Register(control, slider);
}

void QtGui::CreateComboBox(int control, int x, int y, int width, int height) {
    QWidget* parent = WindowWidget(current_window_);
    if (!parent) return;
    const int window = current_window_;
    auto* combo = new QComboBox(parent);
    combo->setEditable(false);
    combo->setStyleSheet(kComboBaseStyle);
    combo->setGeometry(x, y, width, height);
    // Only the user's choices are events; programmatic selections are silent.
    connect(combo, &QComboBox::activated, this,
            [this, window, control] { QueueControlEvent(window, control); });
    combo->show();
    Register(control, combo);
}

void QtGui::CreateListBox(int control, int x, int y, int width, int height) {
    QWidget* parent = WindowWidget(current_window_);
    if (!parent) return;
    const int window = current_window_;
    auto* list = new QListWidget(parent);
    list->setGeometry(x, y, width, height);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setFrameShape(QFrame::StyledPanel);
    list->setFrameShadow(QFrame::Sunken);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const auto used = [this, window, control] { QueueControlEvent(window, control); };
    connect(list, &QListWidget::itemSelectionChanged, this, used);
    connect(list, &QListWidget::itemDoubleClicked, this, used);
    connect(list, &QListWidget::itemClicked, this, used);
    list->show();
    Register(control, list);
}

void QtGui::ClearItems(int control) {
    if (auto* list = qobject_cast<QListWidget*>(ControlWidget(control))) {
        const QSignalBlocker blocker(list);
        list->clear();
    }
}

int QtGui::ItemCount(int control) const {
    if (auto* list = qobject_cast<QListWidget*>(ControlWidget(control))) return list->count();
    if (auto* combo = qobject_cast<QComboBox*>(ControlWidget(control))) return combo->count();
    return 0;
}

bool QtGui::IsItemSelected(int control, int index) const {
    auto* list = qobject_cast<QListWidget*>(ControlWidget(control));
    return list && index >= 0 && index < list->count() && list->item(index)->isSelected();
}

void QtGui::AddItem(int control, const std::string& text) {
    QWidget* widget = ControlWidget(control);
    const QSignalBlocker blocker(widget);
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->addItem(QString::fromStdString(text));
        return;
    }
    // Adding to an empty combo box would select the first item; the selection is set apart.
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const int selected = combo->currentIndex();
        combo->addItem(QString::fromStdString(text));
        combo->setCurrentIndex(selected);
    }
}

std::string QtGui::ItemText(int control, int index) const {
    auto* combo = qobject_cast<QComboBox*>(ControlWidget(control));
    if (!combo || index < 0 || index >= combo->count()) return {};
    return combo->itemText(index).toStdString();
}

void QtGui::SetControlRange(int control, int minimum, int maximum) {
    QWidget* widget = ControlWidget(control);
    const QSignalBlocker blocker(widget);
    if (auto* bar = qobject_cast<QProgressBar*>(widget)) bar->setRange(minimum, maximum);
    if (auto* slider = qobject_cast<QSlider*>(widget)) slider->setRange(minimum, maximum);
}

void QtGui::SetControlColours(int control, common::Colour text, common::Colour background) {
    QWidget* widget = ControlWidget(control);
    if (!widget) return;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setStyleSheet(ComboStyle(text, background));
        return;
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->setStyleSheet(QStringLiteral("QListWidget { color: %1; background-color: %2; }")
                                .arg(CssColour(text), CssColour(background)));
        return;
    }
    SetWidgetColours(widget, text, background);
}

void QtGui::HideControl(int control, bool hidden) {
    if (QWidget* widget = ControlWidget(control)) widget->setVisible(!hidden);
}

void QtGui::SetControlState(int control, int value) {
    QWidget* widget = ControlWidget(control);
    if (!widget) return;
    const QSignalBlocker blocker(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
    } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
        slider->setValue(value);
    } else if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
        bar->setValue(value);
        bar->repaint();
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->clearSelection();
        if (value >= 0 && value < list->count()) list->item(value)->setSelected(true);
        list->repaint();
    }
}

int QtGui::ControlState(int control) const {
    QWidget* widget = ControlWidget(control);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentIndex();
    if (auto* slider = qobject_cast<QSlider*>(widget)) return slider->value();
    if (auto* bar = qobject_cast<QProgressBar*>(widget)) return bar->value();
    if (auto* list = qobject_cast<QListWidget*>(widget)) return LowestSelectedRow(*list);
    return 0;
}

void QtGui::AddTimer(int window, int timer, int period_ms) {
    if (!IsWindowOpen(window)) return;
    const auto key = std::make_pair(window, timer);
    delete timers_[key];
    auto* qtimer = new QTimer(this);
    connect(qtimer, &QTimer::timeout, this,
            [this, window, timer] { QueueTimerEvent(window, timer); });
    qtimer->start(period_ms);
    timers_[key] = qtimer;
}

Event QtGui::WaitWindowEvent(int timeout_ms) {
    // Without exec() nothing else would ever run deferred deletions.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (queue_.empty() && timeout_ms > 0) {
        ProcessUntilEventOrTimeout(std::max(timeout_ms, MillisecondsUntil(hold_until_)));
    } else if (queue_.empty()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (queue_.empty()) return {};
    const Event event = queue_.front();
    queue_.pop_front();
    if (event.kind == common::TimerEvent) pending_timers_.erase({event.window, event.object});
    return event;
}

// processEvents with a time limit spins; a precise timer wakes the blocking wait instead.
void QtGui::ProcessUntilEventOrTimeout(int timeout_ms) {
    wait_expired_ = false;
    wait_timer_.start(timeout_ms);
    while (queue_.empty() && !wait_expired_)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wait_timer_.stop();
}

void QtGui::PostEvent(const Event& event) { queue_.push_back(event); }

QWidget* QtGui::WindowWidget(int window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second;
}

QWidget* QtGui::ControlWidget(int control) const {
    auto found = controls_.find(control);
    return found == controls_.end() ? nullptr : found->second.widget;
}

bool QtGui::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            OnPress(watched, static_cast<const QMouseEvent&>(*event));
            break;
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            FollowPointer(static_cast<const QMouseEvent&>(*event));
            break;
        default:
            break;
    }
    return false;
}

void QtGui::OnPress(QObject* watched, const QMouseEvent& press) {
    const int window = WindowNumberOf(watched);
    if (window < 0 || dragging_) return;
    QWidget* top = WindowWidget(window);
    if (!CountsAsWindowPress(top, press.position().toPoint())) return;
    if (press.button() == Qt::LeftButton) {
        const QPoint global = press.globalPosition().toPoint();
        track_ = PointerTrack{window, global, top->pos(), global, false};
        queue_.push_back({common::LeftButtonPress, window, 0});
    } else if (press.button() == Qt::RightButton) {
        queue_.push_back({common::RightButtonPress, window, 0});
    }
}

void QtGui::FollowPointer(const QMouseEvent& event) {
    if (track_.released) return;
    track_.pointer = event.globalPosition().toPoint();
    if (event.type() == QEvent::MouseButtonRelease && event.button() == Qt::LeftButton)
        track_.released = true;
}

int QtGui::WindowNumberOf(const QObject* object) const {
    for (const auto& [number, window] : windows_)
        if (window == object) return number;
    return -1;
}

// A press that hit a control belongs to the control alone; mouse-transparent children (the
// visualisation screen) are skipped by childAt, so a press on them counts for the window.
bool QtGui::CountsAsWindowPress(const QWidget* top, const QPoint& pos) const {
    return top && top->childAt(pos) == nullptr;
}

void QtGui::Register(int control, QWidget* widget) {
    auto found = controls_.find(control);
    if (found != controls_.end()) delete found->second.widget;
    controls_[control] = {widget, current_window_};
}

void QtGui::QueueControlEvent(int window, int control) {
    queue_.push_back({common::ControlEvent, window, control});
}

// A timer that fires again while its last event still waits is not queued twice.
void QtGui::QueueTimerEvent(int window, int timer) {
    if (!pending_timers_.insert({window, timer}).second) return;
    queue_.push_back({common::TimerEvent, window, timer});
}

void QtGui::OnWindowCloseRequested(int window) {
    queue_.push_back({common::CloseRequest, window, 0});
}

void QtGui::ForgetControlsOf(int window) {
    for (auto it = controls_.begin(); it != controls_.end();) {
        it = it->second.window == window ? controls_.erase(it) : std::next(it);
    }
}

}  // namespace platform::qt
