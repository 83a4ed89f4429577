#include "ui/greensplitter.h"

#include <QPainter>

namespace vex {

namespace {

class GreenHandle : public QSplitterHandle {
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(192, 220, 192));
    }
};

}  // namespace

QSplitterHandle* GreenSplitter::createHandle() {
    return new GreenHandle(orientation(), this);
}

}  // namespace vex
