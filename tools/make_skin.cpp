// Draws the player's default skin: ten JPEG files written to the folder given as the argument.
// Every file is then decoded again and checked for what the player relies on, because JPEG
// changes colours, and the window's shape is cut from exact white in the decoded skin.
//
// Two facts about the player shape the whole skin. Its window shows skin pixel (x, y) at window
// pixel (x + 1, y + 1), but cuts window pixel (x, y) when skin pixel (x, y) is white, so every
// white pixel is also shown one pixel down and right of the hole it makes. And the cut runs one
// row past each white run of a column.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---- Where the player puts things, in window pixels ----

constexpr int kWindowWidth = 300;
constexpr int kWindowHeight = 140;
constexpr QSize kSkinSize{kWindowWidth, kWindowHeight};
// Where skin pixel (0, 0) is shown; the cut-out is not shifted.
constexpr QPoint kShownAt{1, 1};

constexpr QRect kSurface{4, 4, 290, 50};
constexpr QPoint kProbe{50, 58};
constexpr QRect kPlayButton{15, 60, 40, 25};
constexpr QRect kPauseButton{60, 60, 40, 25};
constexpr QRect kStopButton{105, 60, 40, 25};
constexpr QRect kRecordButton{170, 60, 40, 25};
constexpr QRect kVolumeSlider{285, 60, 8, 60};
constexpr QRect kPositionBar{5, 110, 275, 8};
constexpr QRect kStationCombo{5, 120, 275, 20};
constexpr QRect kListButton{280, 120, 20, 20};

constexpr QSize kTransportSize{40, 25};
constexpr QSize kSmallButtonSize{20, 20};
constexpr QSize kOscilloSize{8, 32};
constexpr QSize kTextPatchSize{8, 8};
constexpr int kBarHeight = 32;

// ---- The outline ----

constexpr double kCornerRadius = 10.0;
// The dark ring along the window's edge: dark so that JPEG blur next to the white reads as
// shadow, not as a light fringe.
constexpr double kOutlineWidth = 2.0;
constexpr double kBevelWidth = 1.0;
// How far from the edge the ring and its bevel are looked for.
constexpr int kEdgeReach = 4;

// ---- Colours ----
// Everything near the window's corners is grey (equal channels): JPEG stores colour at half
// resolution over 16-pixel blocks, and a tint there would leak into the white of the cut-out.
constexpr QRgb kCutWhite = qRgb(255, 255, 255);
constexpr QRgb kPanelTop = qRgb(60, 60, 60);
constexpr QRgb kPanelBottom = qRgb(36, 36, 36);
constexpr QRgb kBevelLight = qRgb(100, 100, 100);
constexpr QRgb kBevelDark = qRgb(24, 24, 24);
constexpr QRgb kRecessRim = qRgb(14, 14, 14);
constexpr QRgb kRecessLip = qRgb(84, 84, 84);
constexpr QRgb kWell = qRgb(0, 0, 0);
constexpr QRgb kGroove = qRgb(28, 28, 28);
constexpr QRgb kFaceTop = qRgb(76, 82, 96);
constexpr QRgb kFaceBottom = qRgb(46, 50, 60);
constexpr QRgb kFaceHighlight = qRgb(104, 112, 128);
constexpr QRgb kFaceShadow = qRgb(30, 33, 40);
constexpr QRgb kSymbol = qRgb(226, 231, 240);
constexpr QRgb kAccent = qRgb(86, 214, 240);
constexpr QRgb kRecordRed = qRgb(236, 66, 60);
constexpr QRgb kWordmarkGrey = qRgb(128, 136, 152);
constexpr QRgb kLabelGrey = qRgb(118, 118, 118);
constexpr QRgb kTextColour = qRgb(96, 226, 255);

// The bars go from hot at the top to cool at the bottom.
const std::vector<std::pair<double, QRgb>> kBarStops = {
    {0.00, qRgb(255, 58, 48)},  {0.28, qRgb(255, 160, 40)}, {0.48, qRgb(240, 228, 72)},
    {0.70, qRgb(72, 214, 120)}, {1.00, qRgb(40, 146, 240)},
};

// ---- Keys and lettering ----

constexpr int kKeyCornerRadius = 3;
constexpr double kLabelScale = 0.85;
constexpr double kLabelAdvance = 5.6;
constexpr double kLabelGap = 5.5;

// ---- Encoding and the checks ----

// The highest quality keeps the error next to the cut-out within a step or two.
constexpr int kJpegQuality = 100;
// JPEG rounds each 8x8 block its own way, and a cut-out pixel one step off white would stay in
// the window as a light speck. The outline takes the first of these near-black greys whose
// corners come back from the encoder exact.
constexpr int kOutlineGreys[] = {10, 12, 8, 14, 6, 16, 4, 18, 20};
// A pixel shown along the window's edge may be no brighter than this in any channel.
constexpr int kEdgeLimit = 60;
// The probe closes the drawing surface only on exact black; a clear margin keeps it open.
constexpr int kProbeMinimum = 24;
// Behind the surface the skin stays dark, so that a closed surface still reads as a screen.
constexpr int kWellLimit = 40;
// The marquee and the station list draw this colour on black.
constexpr double kTextMinimumContrast = 7.0;

// ---- Pixel masks ----

// One flag per window pixel, row by row.
using Mask = std::vector<bool>;

bool InWindow(int x, int y) { return x >= 0 && y >= 0 && x < kWindowWidth && y < kWindowHeight; }

size_t At(int x, int y) { return static_cast<size_t>(y * kWindowWidth + x); }

Mask NewMask() { return Mask(static_cast<size_t>(kWindowWidth * kWindowHeight), false); }

// What the player cuts for a skin whose white pixels are `white`: each run of a column, and the
// pixel under it.
Mask CutFor(const Mask& white) {
    Mask cut = NewMask();
    for (int x = 0; x < kWindowWidth; ++x) {
        bool above = false;
        for (int y = 0; y < kWindowHeight; ++y) {
            const bool here = white[At(x, y)];
            cut[At(x, y)] = here || above;
            above = here;
        }
    }
    return cut;
}

// ---- The window's shape ----

// Signed distance from the centre of a window pixel to a rounded rectangle the size of the
// window, positive inside.
double InsideDistance(int x, int y) {
    const double halfWidth = kWindowWidth / 2.0;
    const double halfHeight = kWindowHeight / 2.0;
    const double qx = std::abs(x + 0.5 - halfWidth) - (halfWidth - kCornerRadius);
    const double qy = std::abs(y + 0.5 - halfHeight) - (halfHeight - kCornerRadius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    const double inside = std::min(std::max(qx, qy), 0.0);
    return kCornerRadius - (outside + inside);
}

// A run that ends above the window's bottom stops a row short: the player cuts the row under
// it all the same, and the pixel there keeps its colour for the pixel it is shown at.
Mask WhiteForCut(const Mask& cut) {
    Mask white = cut;
    for (int x = 0; x < kWindowWidth; ++x) {
        for (int y = 0; y + 1 < kWindowHeight; ++y) {
            if (cut[At(x, y)] && !cut[At(x, y + 1)]) white[At(x, y)] = false;
        }
    }
    return white;
}

// A white pixel is shown down and right of its own hole; where that spot is kept it would show
// as a white speck, so the pixel is not cut. Near the top-left corner this undoes the whole
// rounding (a rounded corner there cannot be cut without specks), and near the bottom-left it
// keeps the curve no steeper than a diagonal.
Mask WithoutShownWhite(Mask white) {
    for (bool changed = true; changed;) {
        changed = false;
        const Mask cut = CutFor(white);
        for (int y = 0; y < kWindowHeight; ++y) {
            for (int x = 0; x < kWindowWidth; ++x) {
                const int shownX = x + kShownAt.x();
                const int shownY = y + kShownAt.y();
                if (!white[At(x, y)] || !InWindow(shownX, shownY)) continue;
                if (cut[At(shownX, shownY)]) continue;
                white[At(x, y)] = false;
                changed = true;
            }
        }
    }
    return white;
}

struct Shape {
    Mask white;  // skin pixels drawn exact white
    Mask kept;   // window pixels the player keeps
    // The pixels inside the rounded outline. The few kept pixels outside it, mostly at the
    // top-left corner, get the outline's near-black, so that the corner still looks round.
    Mask body;
    // For each pixel of the body: distance to the nearest pixel outside it, and the direction
    // towards that pixel.
    std::vector<double> edgeDistance;
    std::vector<QPointF> outward;
};

bool KeptIn(const Mask& kept, int x, int y) { return InWindow(x, y) && kept[At(x, y)]; }

void MeasureEdges(Shape& shape) {
    shape.edgeDistance.assign(shape.body.size(), kEdgeReach + 1.0);
    shape.outward.assign(shape.body.size(), QPointF());
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) {
            if (!shape.body[At(x, y)]) continue;
            for (int dy = -kEdgeReach; dy <= kEdgeReach; ++dy) {
                for (int dx = -kEdgeReach; dx <= kEdgeReach; ++dx) {
                    if (KeptIn(shape.body, x + dx, y + dy)) continue;
                    const double distance = std::hypot(dx, dy);
                    if (distance >= shape.edgeDistance[At(x, y)]) continue;
                    shape.edgeDistance[At(x, y)] = distance;
                    shape.outward[At(x, y)] = QPointF(dx, dy) / distance;
                }
            }
        }
    }
}

Shape MakeShape() {
    Mask rounded = NewMask();
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) rounded[At(x, y)] = InsideDistance(x, y) < 0;
    }
    Shape shape;
    shape.white = WithoutShownWhite(WhiteForCut(rounded));
    shape.kept = CutFor(shape.white);
    shape.kept.flip();
    shape.body = rounded;
    shape.body.flip();
    for (size_t at = 0; at < shape.body.size(); ++at)
        shape.body[at] = shape.body[at] && shape.kept[at];
    MeasureEdges(shape);
    return shape;
}

// ---- Colour helpers ----

QRgb Mix(QRgb from, QRgb to, double amount) {
    const auto channel = [amount](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * std::clamp(amount, 0.0, 1.0)));
    };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

QRgb Grey(int level) { return qRgb(level, level, level); }

int Brightest(QRgb colour) { return std::max({qRed(colour), qGreen(colour), qBlue(colour)}); }

bool IsExactWhite(QRgb colour) { return (colour & 0xFFFFFF) == (kCutWhite & 0xFFFFFF); }

QImage NewImage(QSize size, QRgb fill) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QLinearGradient VerticalGradient(double top, double bottom, QRgb topColour, QRgb bottomColour) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, QColor(topColour));
    gradient.setColorAt(1, QColor(bottomColour));
    return gradient;
}

QRgb PanelAt(double windowY) { return Mix(kPanelTop, kPanelBottom, windowY / kWindowHeight); }

// ---- The window's edge, on any image shown with its top-left at `shownAt` ----

// How much an edge facing `outward` faces the light, which comes from the top left: 1 when
// facing it, -1 when facing away.
double FacingLight(QPointF outward) {
    const QPointF light(-1.0 / std::sqrt(5.0), -2.0 / std::sqrt(5.0));
    return outward.x() * light.x() + outward.y() * light.y();
}

// A dark ring along the edge with a hairline bevel inside it, lit on the sides that face the
// light. What the window does not keep gets the ring's colour, as it is never seen.
void PaintEdge(QImage& image, QPoint shownAt, const Shape& shape, QRgb outline) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int windowX = x + shownAt.x();
            const int windowY = y + shownAt.y();
            if (!InWindow(windowX, windowY)) continue;
            const size_t at = At(windowX, windowY);
            const double distance = shape.body[at] ? shape.edgeDistance[at] : 0.0;
            if (distance <= kOutlineWidth) {
                image.setPixel(x, y, outline);
            } else if (distance <= kOutlineWidth + kBevelWidth) {
                const double facing = FacingLight(shape.outward[at]);
                const QRgb bevel = facing >= 0 ? kBevelLight : kBevelDark;
                image.setPixel(x, y, Mix(image.pixel(x, y), bevel, std::abs(facing)));
            }
        }
    }
}

// ---- The main skin; painters work in window pixels ----

void BeginInWindow(QPainter& painter, QImage& image, QPoint shownAt) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-shownAt.x(), -shownAt.y());
}

void FillPixels(QPainter& painter, const QRect& rect, QRgb colour) {
    painter.fillRect(rect, QColor(colour));
}

// A hole in the panel: a dark rim around `inner`, and a lit lip under and right of it because
// light from the top left reaches only the far walls of a recess.
void PaintRecess(QPainter& painter, const QRect& inner, QRgb inside) {
    const QRect rim = inner.adjusted(-1, -1, 1, 1);
    FillPixels(painter, QRect(rim.left(), rim.bottom() + 1, rim.width() + 1, 1), kRecessLip);
    FillPixels(painter, QRect(rim.right() + 1, rim.top(), 1, rim.height()), kRecessLip);
    FillPixels(painter, rim, kRecessRim);
    FillPixels(painter, inner, inside);
}

void PaintPanel(QPainter& painter) {
    painter.fillRect(QRect(0, 0, kWindowWidth, kWindowHeight),
                     VerticalGradient(0, kWindowHeight, kPanelTop, kPanelBottom));
}

void PaintRecesses(QPainter& painter) {
    PaintRecess(painter, kSurface, kWell);
    for (const QRect& button : {kPlayButton, kPauseButton, kStopButton, kRecordButton}) {
        PaintRecess(painter, button, kRecessRim);
    }
    PaintRecess(painter, kVolumeSlider, kRecessRim);
    PaintRecess(painter, kStationCombo, kWell);
}

// A shallow groove for the position bar, so that the bar sits in a track when it shows and
// the panel keeps a quiet divider when it does not.
void PaintSeekTrack(QPainter& painter) {
    const QRect track = kPositionBar.adjusted(0, 2, 0, -2);
    FillPixels(painter, track, kGroove);
    FillPixels(painter, QRect(track.left(), track.top(), track.width(), 1), kRecessRim);
    FillPixels(painter, QRect(track.left(), track.bottom() + 1, track.width(), 1), kRecessLip);
}

// Letters as strokes on a grid 4 wide and 6 high: polylines of "x,y" points, strokes split by
// '|'. Our own lettering keeps the output the same on every machine, whatever fonts it has.
struct Glyph {
    char letter;
    const char* strokes;
};

constexpr Glyph kGlyphs[] = {
    {'A', "0,6 2,0 4,6 | 0.8,3.8 3.2,3.8"},
    {'C', "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5"},
    {'D', "0,0 0,6 2.6,6 4,4.6 4,1.4 2.6,0 0,0"},
    {'E', "4,0 0,0 0,6 4,6 | 0,3 3,3"},
    {'I', "2,0 2,6"},
    {'L', "0,0 0,6 4,6"},
    {'O', "1.4,0 2.6,0 4,1.4 4,4.6 2.6,6 1.4,6 0,4.6 0,1.4 1.4,0"},
    {'P', "0,6 0,0 3,0 4,1 4,2 3,3 0,3"},
    {'R', "0,6 0,0 3,0 4,1 4,2 3,3 0,3 | 2,3 4,6"},
    {'S', "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'T', "0,0 4,0 | 2,0 2,6"},
    {'U', "0,0 0,4.6 1.4,6 2.6,6 4,4.6 4,0"},
    {'V', "0,0 2,6 4,0"},
    {'X', "0,0 4,6 | 4,0 0,6"},
    {'Y', "0,0 2,3 4,0 | 2,3 2,6"},
};

std::vector<QPolygonF> StrokesOf(char letter) {
    std::vector<QPolygonF> strokes;
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.letter != letter) continue;
        for (const QString& stroke : QString::fromLatin1(glyph.strokes).split('|')) {
            QPolygonF line;
            for (const QString& point : stroke.split(' ', Qt::SkipEmptyParts)) {
                const QStringList xy = point.split(',');
                line << QPointF(xy[0].toDouble(), xy[1].toDouble());
            }
            strokes.push_back(line);
        }
    }
    return strokes;
}

void PaintLettering(QPainter& painter, const std::string& text, QPointF topLeft, double scale,
                    double advance, double penWidth, QRgb colour) {
    painter.setPen(QPen(QColor(colour), penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    QPointF origin = topLeft;
    for (const char letter : text) {
        for (const QPolygonF& stroke : StrokesOf(letter)) {
            QPolygonF line;
            for (const QPointF& point : stroke) line << origin + point * scale;
            painter.drawPolyline(line);
        }
        origin.rx() += advance;
    }
}

void PaintWordmark(QPainter& painter) {
    PaintLettering(painter, "VEXA", QPointF(222.5, 64.5), 2.0, 13.0, 1.7, kAccent);
    PaintLettering(painter, "RADIO", QPointF(223.0, 82.0), 1.0, 10.6, 1.1, kWordmarkGrey);
}

// Small engraved names under the keys, centred on each.
void PaintKeyLabels(QPainter& painter) {
    const std::pair<QRect, std::string> labels[] = {{kPlayButton, "PLAY"},
                                                    {kPauseButton, "PAUSE"},
                                                    {kStopButton, "STOP"},
                                                    {kRecordButton, "REC"}};
    for (const auto& [key, text] : labels) {
        const double width = kLabelAdvance * static_cast<double>(text.size() - 1) + 4 * kLabelScale;
        const QPointF topLeft(key.center().x() + 0.5 - width / 2, key.bottom() + kLabelGap);
        PaintLettering(painter, text, topLeft, kLabelScale, kLabelAdvance, 1.0, kLabelGrey);
    }
}

QImage DrawSkin(const Shape& shape, QRgb outline) {
    QImage image = NewImage(kSkinSize, kPanelBottom);
    QPainter painter;
    BeginInWindow(painter, image, kShownAt);
    PaintPanel(painter);
    PaintRecesses(painter);
    PaintSeekTrack(painter);
    PaintWordmark(painter);
    PaintKeyLabels(painter);
    painter.end();
    PaintEdge(image, kShownAt, shape, outline);
    // The cut-out is read where the skin pixel lies, not where it is shown.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (shape.white[At(x, y)]) image.setPixel(x, y, kCutWhite);
        }
    }
    return image;
}

// ---- Keys ----

using Symbol = std::function<void(QPainter&, QPointF centre)>;

// A raised key with rounded corners; the corners show `background` so that the key reads as
// round inside its slot. The player darkens the whole image while the key is down.
void PaintKeyFace(QPainter& painter, const QRectF& face, QRgb background) {
    painter.fillRect(face, QColor(background));
    QPainterPath key;
    key.addRoundedRect(face, kKeyCornerRadius, kKeyCornerRadius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(VerticalGradient(face.top(), face.bottom(), kFaceTop, kFaceBottom));
    painter.drawPath(key);
    painter.setPen(QPen(QColor(kFaceHighlight), 1.0));
    painter.drawLine(QPointF(face.left() + 2.5, face.top() + 0.5),
                     QPointF(face.right() - 2.5, face.top() + 0.5));
    painter.setPen(QPen(QColor(kFaceShadow), 1.0));
    painter.drawLine(QPointF(face.left() + 2.5, face.bottom() - 0.5),
                     QPointF(face.right() - 2.5, face.bottom() - 0.5));
}

QImage DrawKey(QSize size, QRgb background, const Symbol& symbol) {
    QImage image = NewImage(size, background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0, 0, size.width(), size.height());
    PaintKeyFace(painter, face, background);
    painter.setPen(Qt::NoPen);
    symbol(painter, face.center());
    return image;
}

void PlaySymbol(QPainter& painter, QPointF centre) {
    // The triangle's weight sits left of its box, so the box is nudged right to look centred.
    const QPointF c = centre + QPointF(1.0, 0.0);
    painter.setBrush(QColor(kSymbol));
    painter.drawPolygon(QPolygonF{c + QPointF(-5, -6), c + QPointF(-5, 6), c + QPointF(6, 0)});
}

// Straight edges sit on whole pixels so that they stay sharp.
void PauseSymbol(QPainter& painter, QPointF centre) {
    painter.setBrush(QColor(kSymbol));
    painter.drawRect(QRectF(centre.x() - 5, centre.y() - 5.5, 4, 11));
    painter.drawRect(QRectF(centre.x() + 1, centre.y() - 5.5, 4, 11));
}

void StopSymbol(QPainter& painter, QPointF centre) {
    painter.setBrush(QColor(kSymbol));
    painter.drawRoundedRect(QRectF(centre.x() - 5, centre.y() - 5.5, 10, 11), 1, 1);
}

void RecordSymbol(QPainter& painter, QPointF centre) {
    painter.setBrush(QColor(kRecordRed));
    painter.drawEllipse(centre, 5.5, 5.5);
}

void PlusSymbol(QPainter& painter, QPointF centre) {
    painter.setBrush(QColor(kSymbol));
    painter.drawRect(QRectF(centre.x() - 5, centre.y() - 1, 10, 2));
    painter.drawRect(QRectF(centre.x() - 1, centre.y() - 5, 2, 10));
}

void MinusSymbol(QPainter& painter, QPointF centre) {
    painter.setBrush(QColor(kSymbol));
    painter.drawRect(QRectF(centre.x() - 5, centre.y() - 1, 10, 2));
}

void ListSymbol(QPainter& painter, QPointF centre) {
    painter.setBrush(QColor(kSymbol));
    for (const double row : {-4.0, 0.0, 4.0}) {
        painter.drawRect(QRectF(centre.x() - 5, centre.y() + row - 1, 2, 2));
        painter.drawRect(QRectF(centre.x() - 2, centre.y() + row - 1, 7, 2));
    }
}

// The list key fills the window's bottom-right corner, so it carries that corner's edge
// itself; the skin's white cuts what lies beyond.
QImage DrawListKey(const Shape& shape, QRgb outline) {
    QImage image = DrawKey(kSmallButtonSize, PanelAt(kListButton.center().y()), ListSymbol);
    PaintEdge(image, kListButton.topLeft(), shape, outline);
    return image;
}

// The playlist window's keys sit on its stretched copy of the skin, somewhere mid-panel.
QImage DrawPlaylistKey(const Symbol& symbol) {
    return DrawKey(kSmallButtonSize, PanelAt(kWindowHeight / 2.0), symbol);
}

// ---- Spectrum ----

QImage DrawOscillo() {
    QImage image = NewImage(kOscilloSize, 0);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, kOscilloSize.height());
    for (const auto& [at, colour] : kBarStops) gradient.setColorAt(at, QColor(colour));
    painter.fillRect(image.rect(), gradient);
    return image;
}

// ---- Encoding ----

QImage RoundTrip(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", kJpegQuality);
    return QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_RGB32);
}

Mask WhiteIn(const QImage& skin) {
    Mask white = NewMask();
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) white[At(x, y)] = IsExactWhite(skin.pixel(x, y));
    }
    return white;
}

struct SkinChoice {
    QImage image;
    QRgb outline;
};

SkinChoice DrawSkinThatSurvivesJpeg(const Shape& shape) {
    for (const int level : kOutlineGreys) {
        QImage skin = DrawSkin(shape, Grey(level));
        if (WhiteIn(RoundTrip(skin)) == shape.white) return {skin, Grey(level)};
    }
    // None survives: the checks report it.
    return {DrawSkin(shape, Grey(kOutlineGreys[0])), Grey(kOutlineGreys[0])};
}

// ---- Checks on the decoded files ----

class Checks {
 public:
    void Report(bool ok, const std::string& what) {
        std::printf("%s  %s\n", ok ? "ok  " : "FAIL", what.c_str());
        if (!ok) ++failures_;
    }
    bool Passed() const { return failures_ == 0; }

 private:
    int failures_ = 0;
};

std::string Describe(QRgb colour) {
    return "(" + std::to_string(qRed(colour)) + "," + std::to_string(qGreen(colour)) + "," +
           std::to_string(qBlue(colour)) + ")";
}

std::string Describe(QPoint point) {
    return "(" + std::to_string(point.x()) + "," + std::to_string(point.y()) + ")";
}

int Count(const Mask& mask) { return static_cast<int>(std::count(mask.begin(), mask.end(), true)); }

void CheckCutOut(Checks& checks, const QImage& skin, const Shape& shape) {
    const Mask decoded = WhiteIn(skin);
    int lost = 0;
    int stray = 0;
    for (size_t at = 0; at < decoded.size(); ++at) {
        lost += shape.white[at] && !decoded[at];
        stray += !shape.white[at] && decoded[at];
    }
    checks.Report(Count(shape.white) > 0 && lost == 0,
                  "skin.jpg: all " + std::to_string(Count(shape.white)) +
                      " corner pixels drawn white decode as exact white (" + std::to_string(lost) +
                      " do not)");
    checks.Report(stray == 0, "skin.jpg: no other pixel decodes as exact white (" +
                                  std::to_string(stray) + " do)");
}

// The window's shape as the player cuts it from the decoded skin.
Mask KeptBy(const QImage& skin) {
    Mask kept = CutFor(WhiteIn(skin));
    kept.flip();
    return kept;
}

bool OnEdge(const Mask& kept, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (!KeptIn(kept, x + dx, y + dy)) return true;
        }
    }
    return false;
}

// What a user sees of an image shown at `shownAt`: every kept window pixel it covers, except
// row 0 and column 0 of the window, which the player paints black itself.
struct ShownPixels {
    int edge = 0;           // of them, on the window's edge
    int edgeBrightest = 0;  // the brightest channel there
    int white = 0;          // exact white anywhere
};

ShownPixels Survey(const QImage& image, QPoint shownAt, const Mask& kept) {
    ShownPixels shown;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int windowX = x + shownAt.x();
            const int windowY = y + shownAt.y();
            if (windowX < 1 || windowY < 1 || !KeptIn(kept, windowX, windowY)) continue;
            const QRgb colour = image.pixel(x, y);
            shown.white += IsExactWhite(colour);
            if (!OnEdge(kept, windowX, windowY)) continue;
            ++shown.edge;
            shown.edgeBrightest = std::max(shown.edgeBrightest, Brightest(colour));
        }
    }
    return shown;
}

void CheckShown(Checks& checks, const std::string& name, const QImage& image, QPoint shownAt,
                const Mask& kept) {
    const ShownPixels shown = Survey(image, shownAt, kept);
    checks.Report(shown.edge > 0 && shown.edgeBrightest <= kEdgeLimit,
                  name + ": the " + std::to_string(shown.edge) +
                      " pixels it shows along the window's edge are dark (brightest channel " +
                      std::to_string(shown.edgeBrightest) + ", limit " +
                      std::to_string(kEdgeLimit) + ")");
    checks.Report(shown.white == 0, name + ": no exact white shows in the window (" +
                                        std::to_string(shown.white) + " pixels)");
}

// The cut follows the drawing exactly and never reaches inside the rounded outline; it may
// leave some of the outline's corners standing, where cutting would show white.
void CheckShape(Checks& checks, const Mask& kept, const Shape& shape) {
    int cut = 0;
    int cutInside = 0;
    int outsideOutline = 0;
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) {
            const bool outside = InsideDistance(x, y) < 0;
            const bool isCut = !kept[At(x, y)];
            cut += isCut;
            cutInside += isCut && !outside;
            outsideOutline += outside;
        }
    }
    checks.Report(kept == shape.kept && cutInside == 0,
                  "skin.jpg: the player cuts the " + std::to_string(cut) +
                      " pixels drawn for it, " + "of the " + std::to_string(outsideOutline) +
                      " outside the rounded outline, and none inside");
}

QRgb SkinPixelShownAt(const QImage& skin, QPoint window) { return skin.pixel(window - kShownAt); }

void CheckProbe(Checks& checks, const QImage& skin) {
    const QRgb probe = SkinPixelShownAt(skin, kProbe);
    checks.Report(Brightest(probe) >= kProbeMinimum && !IsExactWhite(probe),
                  "skin.jpg: window pixel " + Describe(kProbe) + " shows " + Describe(probe) +
                      ", clearly neither black nor white");
}

// The window's rounded edge reaches into the surface's corners; the rest must be dark.
void CheckWell(Checks& checks, const QImage& skin, const Shape& shape) {
    int brightest = 0;
    for (int y = kSurface.top(); y <= kSurface.bottom(); ++y) {
        for (int x = kSurface.left(); x <= kSurface.right(); ++x) {
            if (shape.edgeDistance[At(x, y)] <= kOutlineWidth + kBevelWidth) continue;
            brightest = std::max(brightest, Brightest(SkinPixelShownAt(skin, QPoint(x, y))));
        }
    }
    checks.Report(brightest <= kWellLimit,
                  "skin.jpg: the well behind the drawing surface is dark (brightest channel " +
                      std::to_string(brightest) + ")");
}

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb colour) {
    return 0.2126 * Linear(qRed(colour)) + 0.7152 * Linear(qGreen(colour)) +
           0.0722 * Linear(qBlue(colour));
}

void CheckTextColour(Checks& checks, const QImage& patch) {
    const QRgb text = patch.pixel(1, 1);
    const double contrast = (Luminance(text) + 0.05) / 0.05;
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.1f", contrast);
    checks.Report(
        contrast >= kTextMinimumContrast && !IsExactWhite(text),
        "Coul_text.jpg: text colour " + Describe(text) + " has contrast " + figure + ":1 on black");
}

void CheckOscillo(Checks& checks, const QImage& oscillo) {
    const bool sized = oscillo.width() >= 2 && oscillo.height() == kBarHeight;
    const QRgb top = oscillo.pixel(0, 0);
    const QRgb bottom = oscillo.pixel(0, oscillo.height() - 1);
    const bool hotOverCool = qRed(top) > qBlue(top) && qBlue(bottom) > qRed(bottom);
    checks.Report(sized && hotOverCool, "oscillo.jpg: " + std::to_string(oscillo.width()) + "x" +
                                            std::to_string(oscillo.height()) + ", top " +
                                            Describe(top) + " warm, bottom " + Describe(bottom) +
                                            " cool");
}

// ---- Writing ----

struct Output {
    std::string name;
    QImage image;
};

QImage WriteAndDecode(Checks& checks, const QString& folder, const Output& output) {
    const QString path = folder + "/" + QString::fromStdString(output.name);
    const bool saved = output.image.save(path, "JPG", kJpegQuality);
    const QImage decoded(path);
    checks.Report(saved && decoded.size() == output.image.size(),
                  output.name + ": written and decoded at " + std::to_string(output.image.width()) +
                      "x" + std::to_string(output.image.height()));
    return decoded.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const Shape shape = MakeShape();
    const SkinChoice skin = DrawSkinThatSurvivesJpeg(shape);
    std::printf("outline grey %d: the first whose corners come back from JPEG exact\n",
                qRed(skin.outline));

    enum { kSkin, kList, kAdd, kRemove, kPlay, kPause, kStop, kRecord, kOscillo, kText };
    const std::vector<Output> outputs = {
        {"skin.jpg", skin.image},
        {"list.jpg", DrawListKey(shape, skin.outline)},
        {"ajout.jpg", DrawPlaylistKey(PlusSymbol)},
        {"retire.jpg", DrawPlaylistKey(MinusSymbol)},
        {"play.jpg", DrawKey(kTransportSize, kRecessRim, PlaySymbol)},
        {"pause.jpg", DrawKey(kTransportSize, kRecessRim, PauseSymbol)},
        {"stop.jpg", DrawKey(kTransportSize, kRecessRim, StopSymbol)},
        {"record.jpg", DrawKey(kTransportSize, kRecessRim, RecordSymbol)},
        {"oscillo.jpg", DrawOscillo()},
        {"Coul_text.jpg", NewImage(kTextPatchSize, kTextColour)},
    };

    Checks checks;
    std::vector<QImage> decoded;
    for (const Output& output : outputs) decoded.push_back(WriteAndDecode(checks, folder, output));
    if (!checks.Passed()) return 1;

    const Mask kept = KeptBy(decoded[kSkin]);
    CheckCutOut(checks, decoded[kSkin], shape);
    CheckShape(checks, kept, shape);
    CheckShown(checks, "skin.jpg", decoded[kSkin], kShownAt, kept);
    CheckShown(checks, "list.jpg", decoded[kList], kListButton.topLeft(), kept);
    CheckProbe(checks, decoded[kSkin]);
    CheckWell(checks, decoded[kSkin], shape);
    CheckOscillo(checks, decoded[kOscillo]);
    CheckTextColour(checks, decoded[kText]);

    std::printf("%s\n", checks.Passed() ? "all checks passed" : "some checks failed");
    return checks.Passed() ? 0 : 1;
}
