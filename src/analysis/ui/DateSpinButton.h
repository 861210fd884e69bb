#pragma once

#include <QWidget>

class QLineEdit;

namespace kalderon {

// Up and down arrows beside a read-only date edit (its buddy): each click,
// or the arrow keys in the edit, asks for a date one step later (up) or
// earlier (down); what the date becomes is the owner's.
class DateSpinButton : public QWidget {
    Q_OBJECT
public:
    DateSpinButton(QLineEdit* buddy, QWidget* parent = nullptr);

signals:
    void Stepped(bool later);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_;
};

}  // namespace kalderon
