#include "BoardView.h"

namespace velta::test {

namespace {

// Every control a test reaches must exist: a missing name is a broken window, not a
// passing test.
template <class Widget>
Widget* named(const TForm1& board, const char* name) {
    auto* found = board.findChild<Widget*>(QLatin1String(name));
    if (!found) {
        qFatal("The board has no %s named %s", Widget::staticMetaObject.className(), name);
    }
    return found;
}

}  // namespace

BoardView::BoardView(TForm1& board)
    : board(board),
      Label18(named<QLabel>(board, "Label18")),
      Panel22(named<QWidget>(board, "Panel22")),
      SpeedButton77(named<KeyButton>(board, "SpeedButton77")),
      SpeedButton11(named<KeyButton>(board, "SpeedButton11")),
      SpeedButton12(named<KeyButton>(board, "SpeedButton12")),
      Panel16(named<QWidget>(board, "Panel16")),
      Panel9(named<QLabel>(board, "Panel9")),
      Panel17(named<QWidget>(board, "Panel17")),
      Image17(named<ImageBox>(board, "Image17")),
      Label22(named<QLabel>(board, "Label22")),
      Button3(named<QPushButton>(board, "Button3")),
      ETotal(named<QLineEdit>(board, "ETotal")),
      EModo(named<QLineEdit>(board, "EModo")),
      Image2(named<ImageBox>(board, "Image2")),
      Image13(named<ImageBox>(board, "Image13")),
      Image15(named<ImageBox>(board, "Image15")),
      Edit16(named<QLineEdit>(board, "Edit16")),
      Edit17(named<QLineEdit>(board, "Edit17")),
      Panel1(named<QWidget>(board, "Panel1")),
      Panel2(named<QWidget>(board, "Panel2")),
      Image12(named<ImageBox>(board, "Image12")),
      Label17(named<QLabel>(board, "Label17")),
      Panel3(named<QWidget>(board, "Panel3")),
      Image10(named<ImageBox>(board, "Image10")),
      Label19(named<QLabel>(board, "Label19")),
      Panel4(named<QWidget>(board, "Panel4")),
      Image11(named<ImageBox>(board, "Image11")),
      Label20(named<QLabel>(board, "Label20")),
      Panel5(named<QWidget>(board, "Panel5")),
      Panel11(named<QLabel>(board, "Panel11")),
      Label53(named<QLabel>(board, "Label53")),
      Panel18(named<QWidget>(board, "Panel18")),
      Panel20(named<QWidget>(board, "Panel20")),
      Label64(named<QLabel>(board, "Label64")),
      Button4(named<QPushButton>(board, "Button4")),
      Button5(named<QPushButton>(board, "Button5")),
      Button6(named<QPushButton>(board, "Button6")),
      Button7(named<QPushButton>(board, "Button7")),
      Button8(named<QPushButton>(board, "Button8")),
      Panel21(named<QLabel>(board, "Panel21")),
      Panel14(named<QWidget>(board, "Panel14")),
      Image4(named<ImageBox>(board, "Image4")),
      Label16(named<QLabel>(board, "Label16")),
      Image1(named<ImageBox>(board, "Image1")),
      Image3(named<ImageBox>(board, "Image3")),
      SpeedButton14(named<KeyButton>(board, "SpeedButton14")),
      SpeedButton9(named<KeyButton>(board, "SpeedButton9")),
      SpeedButton3(named<KeyButton>(board, "SpeedButton3")),
      SpeedButton79(named<KeyButton>(board, "SpeedButton79")),
      SpeedButton1(named<KeyButton>(board, "SpeedButton1")),
      SpeedButton2(named<KeyButton>(board, "SpeedButton2")),
      SpeedButton37(named<KeyButton>(board, "SpeedButton37")),
      SpeedButton13(named<KeyButton>(board, "SpeedButton13")),
      SpeedButton10(named<KeyButton>(board, "SpeedButton10")),
      SpeedButton81(named<KeyButton>(board, "SpeedButton81")),
      SpeedButton15(named<KeyButton>(board, "SpeedButton15")),
      SpeedButton17(named<KeyButton>(board, "SpeedButton17")),
      SpeedButton19(named<KeyButton>(board, "SpeedButton19")),
      SpeedButton34(named<KeyButton>(board, "SpeedButton34")),
      SpeedButton33(named<KeyButton>(board, "SpeedButton33")),
      SpeedButton36(named<KeyButton>(board, "SpeedButton36")),
      SpeedButton84(named<KeyButton>(board, "SpeedButton84")),
      SpeedButton16(named<KeyButton>(board, "SpeedButton16")),
      SpeedButton76(named<KeyButton>(board, "SpeedButton76")),
      Timer1(named<QTimer>(board, "Timer1")),
      Timer2(named<QTimer>(board, "Timer2")),
      Timer3(named<QTimer>(board, "Timer3")),
      Timer7(named<QTimer>(board, "Timer7")),
      Timer9(named<QTimer>(board, "Timer9")),
      Timer10(named<QTimer>(board, "Timer10")),
      Timer11(named<QTimer>(board, "Timer11")),
      Timer12(named<QTimer>(board, "Timer12")),
      Timer13(named<QTimer>(board, "Timer13")),
      Timer14(named<QTimer>(board, "Timer14")),
      Timer15(named<QTimer>(board, "Timer15")),
      ListBox2(named<QListWidget>(board, "ListBox2")),
      Label65(named<QLabel>(board, "Label65")) {
    static const char* const covers[] = {"Label1", "Label4", "Label7", "Label10", "Label13"};
    static const char* const answers[] = {"Label2", "Label5", "Label8", "Label11", "Label14"};
    static const char* const points[] = {"Label3", "Label6", "Label9", "Label12", "Label15"};
    for (int i = 0; i < 5; ++i) {
        const QByteArray bar = "Image" + QByteArray::number(5 + i);
        const QByteArray key = "SpeedButton" + QByteArray::number(4 + i);
        rows[i] = {named<QLabel>(board, covers[i]), named<QLabel>(board, answers[i]),
                   named<QLabel>(board, points[i]), named<ImageBox>(board, bar.constData()),
                   named<KeyButton>(board, key.constData())};
    }
}

}  // namespace velta::test
