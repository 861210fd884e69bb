#pragma once

#include <QWidget>

class QLineEdit;

namespace kalderon {

// Up and down arrows beside an edit (its buddy): a click on an arrow, or
// the arrow keys in the edit while the arrows are enabled, is reported as
// one step up or down; what the step does is the owner's.
class SpinArrows : public QWidget {
    Q_OBJECT
public:
    SpinArrows(QLineEdit* buddy, QWidget* parent = nullptr);

    QLineEdit* buddy() const { return buddy_; }

signals:
    void Arrow(bool up);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_;
};

}  // namespace kalderon
