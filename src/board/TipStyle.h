#pragma once

#include <QProxyStyle>

namespace velta {

// How long a hint stays up: long enough to read a whole key-list line.
constexpr int kTipDurationMs = 8000;

// Tool-tips show the moment the pointer rests on a control, and a moved pointer shows the
// next one at once: the operator reads a key's hint without waiting.
class TipStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override {
        if (hint == SH_ToolTip_WakeUpDelay || hint == SH_ToolTip_FallAsleepDelay) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace velta
