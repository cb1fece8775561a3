// The drawn buttons of the focus timer and the stopwatch, as assistive technology
// sees them: named push buttons that can be pressed from outside.
#include "widgets/DateWidgetView.h"
#include "widgets/PomodoroWidgetView.h"
#include "widgets/StopwatchWidgetView.h"

#include <QAccessible>
#include <QTest>

using namespace nivora;

class TestTimerFaceAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsAreNamedAndPressable();
    void buttonsWorkFromTheKeyboard();
};

void TestTimerFaceAccessibility::buttonsAreNamedAndPressable()
{
    PomodoroWidgetView pomodoro;
    pomodoro.resize(pomodoro.sizeHint());
    pomodoro.refresh();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&pomodoro);
    QVERIFY(face);
    QCOMPARE(face->role(), QAccessible::Grouping);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Focus"));
    QCOMPARE(face->childCount(), 2);

    QAccessibleInterface* toggle = face->child(0);
    QAccessibleInterface* reset = face->child(1);
    QCOMPARE(toggle->role(), QAccessible::Button);
    QCOMPARE(toggle->text(QAccessible::Name), QStringLiteral("Démarrer"));
    QCOMPARE(reset->text(QAccessible::Name), QStringLiteral("Réinitialiser"));
    QCOMPARE(face->indexOfChild(reset), 1);
    QCOMPARE(toggle->parent(), face);
    // The same child each time: a screen reader keeps its identity.
    QCOMPARE(face->child(0), toggle);
    QVERIFY(!toggle->rect().isEmpty());

    toggle->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(pomodoro.model().running());
    QCOMPARE(toggle->text(QAccessible::Name), QStringLiteral("Pause"));
    reset->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!pomodoro.model().running());
    QCOMPARE(toggle->text(QAccessible::Name), QStringLiteral("Démarrer"));

    StopwatchWidgetView stopwatch;
    stopwatch.refresh();
    QAccessibleInterface* chrono = QAccessible::queryAccessibleInterface(&stopwatch);
    QCOMPARE(chrono->text(QAccessible::Name), QStringLiteral("Chrono"));
    QCOMPARE(chrono->childCount(), 2);
}

// Tab reaches the buttons and goes round them, Space and Enter press the one
// marked, and the mark is drawn and reported only for keyboard focus.
void TestTimerFaceAccessibility::buttonsWorkFromTheKeyboard()
{
    PomodoroWidgetView pomodoro;
    pomodoro.refresh();
    pomodoro.resize(pomodoro.sizeHint());
    QCOMPARE(pomodoro.focusPolicy(), Qt::TabFocus);
    pomodoro.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pomodoro));
    pomodoro.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&pomodoro));
    // The window hands the face its focus as it becomes active, as a click
    // on it does: no mark yet.
    pomodoro.setFocus(Qt::ActiveWindowFocusReason);
    const QImage unmarked = pomodoro.grab().toImage();
    QTest::keyClick(&pomodoro, Qt::Key_Tab);
    QTest::keyClick(&pomodoro, Qt::Key_Tab);
    QCOMPARE(pomodoro.focusedButton(), 0);
    QVERIFY(pomodoro.grab().toImage() != unmarked);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&pomodoro);
    QVERIFY(face->child(0)->state().focused && !face->child(1)->state().focused);

    QTest::keyClick(&pomodoro, Qt::Key_Space);
    QVERIFY(pomodoro.model().running());
    QTest::keyClick(&pomodoro, Qt::Key_Tab);
    QCOMPARE(pomodoro.focusedButton(), 1);
    QVERIFY(face->child(1)->state().focused);
    QTest::keyClick(&pomodoro, Qt::Key_Return);
    QVERIFY(!pomodoro.model().running());
    // Round the two buttons, both ways.
    QTest::keyClick(&pomodoro, Qt::Key_Tab);
    QCOMPARE(pomodoro.focusedButton(), 0);
    QTest::keyClick(&pomodoro, Qt::Key_Left);
    QCOMPARE(pomodoro.focusedButton(), 1);
    QTest::keyClick(&pomodoro, Qt::Key_Right);
    QTest::keyClick(&pomodoro, Qt::Key_Enter);
    QVERIFY(pomodoro.model().running());

    // A face without buttons never takes the focus.
    DateWidgetView date;
    date.refresh();
    QCOMPARE(date.focusPolicy(), Qt::NoFocus);
}

QTEST_MAIN(TestTimerFaceAccessibility)
#include "test_timer_face_accessibility.moc"
