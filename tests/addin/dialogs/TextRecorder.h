#pragma once
// A paint device that records the texts drawn on it with their positions, so that tests can see
// what a control's drawing code put where.
#include <memory>
#include <string>
#include <vector>

#include <QPaintDevice>
#include <QPointF>

struct TDrawnText {
  std::string Text;
  QPointF Position;   // the baseline's start, in device coordinates
};

class TTextRecorder : public QPaintDevice {
public:
  TTextRecorder();
  ~TTextRecorder() override;
  QPaintEngine* paintEngine() const override;
  const std::vector<TDrawnText>& Texts() const;

protected:
  int metric(PaintDeviceMetric metric) const override;

private:
  class TEngine;
  std::unique_ptr<TEngine> FEngine;
};
