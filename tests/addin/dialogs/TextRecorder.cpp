#include "TextRecorder.h"

#include <QPaintEngine>
#include <QTransform>

class TTextRecorder::TEngine : public QPaintEngine {
public:
  TEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & QPaintEngine::DirtyTransform) FTransform = state.transform();
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawRects(const QRectF*, int) override {}
  void drawLines(const QLineF*, int) override {}
  void drawEllipse(const QRectF&) override {}
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    if (!item.text().isEmpty()) Texts.push_back({item.text().toStdString(), FTransform.map(p)});
  }
  Type type() const override { return QPaintEngine::User; }

  std::vector<TDrawnText> Texts;
  QTransform FTransform;
};

TTextRecorder::TTextRecorder() : FEngine(std::make_unique<TEngine>()) {}
TTextRecorder::~TTextRecorder() = default;

QPaintEngine* TTextRecorder::paintEngine() const { return FEngine.get(); }
const std::vector<TDrawnText>& TTextRecorder::Texts() const { return FEngine->Texts; }

int TTextRecorder::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth: return 2000;
    case PdmHeight: return 2000;
    case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
    case PdmDepth: return 32;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
  }
}
