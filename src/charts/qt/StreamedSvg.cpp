#include "charts/qt/StreamedSvg.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <memory>

namespace kalderon {
namespace {

// The state a painter hands its engine is a protected member of
// QPaintEngine; the piece engines are handed the painter's state this way.
struct EngineStateAccess : QPaintEngine {
    static void Share(QPaintEngine& from, QPaintEngine& to)
    {
        to.*(&EngineStateAccess::state) = from.*(&EngineStateAccess::state);
    }
};

// How QSvgGenerator's engine closes the graphics state it opened at the
// start, the document, and a graphics state before it opens the next one.
constexpr QByteArrayView kDocumentEnd = "</g>\n</svg>\n";
constexpr QByteArrayView kGroupEnd = "</g>\n";
constexpr QByteArrayView kGroupBetween = "</g>\n\n";

QPaintEngine::PaintEngineFeatures FeaturesOf(const QPaintEngine& engine)
{
    QPaintEngine::PaintEngineFeatures features;
    for (unsigned bit = 0; bit < 32; ++bit) {
        const auto feature = QPaintEngine::PaintEngineFeatures::fromInt(1u << bit);
        if (engine.hasFeature(feature)) features |= feature;
    }
    return features;
}

void Configure(QSvgGenerator& generator, QSize size, const QString& title)
{
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
}

// The engine of a paint device; QSvgGenerator declares it protected.
QPaintEngine& EngineOf(const QPaintDevice& device) { return *device.paintEngine(); }

// A paint engine that hands every call to the engine of a QSvgGenerator of
// its own, and starts a new generator when a piece is full and a graphics
// state begins.  Of each piece's document it writes only what the one
// document would hold there: the head once, then each piece's body, and
// the end once.
class PieceEngine : public QPaintEngine {
public:
    PieceEngine(QIODevice& sink, QSize size, const QString& title, int callsPerPiece, PaintEngineFeatures features)
        : QPaintEngine(features), sink_(sink), size_(size), title_(title), callsPerPiece_(callsPerPiece)
    {
    }

    bool ok() const { return ok_; }

    bool begin(QPaintDevice*) override
    {
        ok_ = FindHead() && StartPiece();
        return ok_;
    }
    bool end() override
    {
        FinishPiece(true);
        return ok_;
    }

    void updateState(const QPaintEngineState& state) override
    {
        if (calls_ >= callsPerPiece_ && pieceHasGroup_) {
            FinishPiece(false);
            StartPiece();
        }
        Piece().updateState(state);
        pieceHasGroup_ = true;
    }

    void drawRects(const QRect* rects, int count) override { Piece().drawRects(rects, count), Count(); }
    void drawRects(const QRectF* rects, int count) override { Piece().drawRects(rects, count), Count(); }
    void drawLines(const QLine* lines, int count) override { Piece().drawLines(lines, count), Count(); }
    void drawLines(const QLineF* lines, int count) override { Piece().drawLines(lines, count), Count(); }
    void drawEllipse(const QRectF& r) override { Piece().drawEllipse(r), Count(); }
    void drawEllipse(const QRect& r) override { Piece().drawEllipse(r), Count(); }
    void drawPath(const QPainterPath& path) override { Piece().drawPath(path), Count(); }
    void drawPoints(const QPointF* points, int count) override { Piece().drawPoints(points, count), Count(); }
    void drawPoints(const QPoint* points, int count) override { Piece().drawPoints(points, count), Count(); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        Piece().drawPolygon(points, count, mode), Count();
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override
    {
        Piece().drawPolygon(points, count, mode), Count();
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override
    {
        Piece().drawPixmap(r, pixmap, source), Count();
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override { Piece().drawTextItem(p, item), Count(); }
    void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& s) override
    {
        Piece().drawTiledPixmap(r, pixmap, s), Count();
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& source, Qt::ImageConversionFlags flags) override
    {
        Piece().drawImage(r, image, source, flags), Count();
    }

    Type type() const override { return QPaintEngine::SVG; }

private:
    // The current piece's engine, with the painter's state.
    QPaintEngine& Piece()
    {
        QPaintEngine& engine = EngineOf(*generator_);
        EngineStateAccess::Share(*this, engine);
        return engine;
    }
    void Count() { ++calls_; }

    // The head of every piece: the document of an empty picture without its end.
    bool FindHead()
    {
        QByteArray empty;
        QBuffer buffer(&empty);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        Configure(generator, size_, title_);
        generator.setOutputDevice(&buffer);
        QPainter painter;
        if (!painter.begin(&generator) || !painter.end() || !empty.endsWith(kDocumentEnd)) return false;
        head_ = empty.chopped(kDocumentEnd.size());
        return true;
    }

    bool StartPiece()
    {
        piece_.clear();
        buffer_ = std::make_unique<QBuffer>(&piece_);
        buffer_->open(QIODevice::WriteOnly);
        generator_ = std::make_unique<QSvgGenerator>();
        Configure(*generator_, size_, title_);
        generator_->setOutputDevice(buffer_.get());
        QPaintEngine& engine = EngineOf(*generator_);
        engine.setPaintDevice(generator_.get());
        EngineStateAccess::Share(*this, engine);
        const bool begun = engine.begin(generator_.get());
        engine.setActive(begun);
        calls_ = 0;
        pieceHasGroup_ = false;
        return begun;
    }

    void FinishPiece(bool last)
    {
        QPaintEngine& engine = Piece();
        engine.end();
        engine.setActive(false);
        QByteArray tail = pieceHasGroup_ ? kGroupEnd.toByteArray() : QByteArray();
        tail.append(kDocumentEnd);
        if (!piece_.startsWith(head_) || !piece_.endsWith(tail)) ok_ = false;
        if (ok_) {
            const QByteArrayView body =
                QByteArrayView(piece_).sliced(head_.size(), piece_.size() - head_.size() - tail.size());
            const bool first = pieces_++ == 0;
            ok_ = Write(first ? QByteArrayView(head_) : kGroupBetween) && Write(body) && (!last || Write(tail));
        }
        generator_.reset();
        buffer_.reset();
        piece_.clear();
    }

    bool Write(QByteArrayView bytes)
    {
        return bytes.empty() || sink_.write(bytes.data(), bytes.size()) == bytes.size();
    }

    QIODevice& sink_;
    const QSize size_;
    const QString title_;
    const int callsPerPiece_;
    QByteArray head_;
    QByteArray piece_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QSvgGenerator> generator_;
    int calls_ = 0;
    int pieces_ = 0;
    bool pieceHasGroup_ = false;
    bool ok_ = true;
};

// An SVG generator whose painting goes through a PieceEngine.
class StreamedSvgDevice : public QSvgGenerator {
public:
    StreamedSvgDevice(QIODevice& sink, QSize size, const QString& title, int callsPerPiece)
    {
        Configure(*this, size, title);
        engine_ = std::make_unique<PieceEngine>(sink, size, title, callsPerPiece,
                                                FeaturesOf(*QSvgGenerator::paintEngine()));
    }
    ~StreamedSvgDevice() override = default;

    QPaintEngine* paintEngine() const override { return engine_.get(); }
    bool ok() const { return engine_->ok(); }

private:
    std::unique_ptr<PieceEngine> engine_;
};

}  // namespace

bool PaintSvg(QIODevice& device, QSize size, const QString& title, const std::function<void(QPainter&)>& paint,
              int callsPerPiece)
{
    StreamedSvgDevice svg(device, size, title, std::max(1, callsPerPiece));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    paint(painter);
    return painter.end() && svg.ok();
}

}  // namespace kalderon
