#pragma once

#include <QtTest>
#include <memory>

#include "BoardFixture.h"
#include "console/UConfig.h"

namespace velta::test {

// The board and its control window, as the program makes them: the control window is made
// once the board is up, and T shows it.
struct ConsoleFixture : BoardFixture {
    using BoardFixture::BoardFixture;

    std::unique_ptr<TFConfig> console;

    ~ConsoleFixture() {
        if (board) {
            board->setControlLink(nullptr);
        }
        console.reset();
    }

    // Both windows made, the control window hidden.
    bool startBoth() {
        if (!start()) {
            return false;
        }
        console = std::make_unique<TFConfig>(*board);
        board->setControlLink(console.get());
        return true;
    }

    // Both windows made and the control window shown with T from the board, active, with
    // the keyboard in its focus sink.
    bool startWithConsole() {
        if (!startBoth()) {
            return false;
        }
        board->activateWindow();
        if (!QTest::qWaitForWindowActive(board.get())) {
            return false;
        }
        board->parkFocus();
        press('t');
        return QTest::qWaitForWindowExposed(console.get()) &&
               QTest::qWaitForWindowActive(console.get()) && QApplication::focusWidget() == sink();
    }

    QWidget* sink() const { return console->findChild<QWidget*>(QStringLiteral("Button3")); }

    // A control of the control window by its component name; a missing one fails loudly.
    template <class Widget>
    Widget* find(const char* name) const {
        auto* found = console->findChild<Widget*>(QLatin1String(name));
        if (!found) {
            qFatal("The control window has no %s named %s", Widget::staticMetaObject.className(),
                   name);
        }
        return found;
    }
};

// What every control-window test program shares: a fresh ConsoleFixture for each test
// function, made by the program's init() with fresh() and dropped after the function.
class ConsoleTestCase : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void cleanup() { f_.reset(); }

  protected:
    // A new fixture with normal cards 1..cards written, nothing started yet.
    ConsoleFixture& fresh(int cards) {
        f_ = std::make_unique<ConsoleFixture>(cards);
        return *f_;
    }
    ConsoleFixture& f() { return *f_; }
    BoardView board() { return BoardView(*f_->board); }
    // A control of the control window clicked by its component name, or one in hand.
    void click(const char* name) { click(f_->find<QWidget>(name)); }
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    std::unique_ptr<ConsoleFixture> f_;
};

}  // namespace velta::test
