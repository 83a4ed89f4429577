#pragma once

#include <QSplitter>

namespace vex {

// The splitter between the upper area and the result grid: a plain light green bar.
class GreenSplitter : public QSplitter {
public:
    explicit GreenSplitter(QWidget* parent) : QSplitter(Qt::Vertical, parent) {}

protected:
    QSplitterHandle* createHandle() override;
};

}  // namespace vex
