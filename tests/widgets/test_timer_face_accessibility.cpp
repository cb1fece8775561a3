// The drawn buttons of the focus timer and the stopwatch, as assistive technology
// sees them: named push buttons that can be pressed from outside.
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

QTEST_MAIN(TestTimerFaceAccessibility)
#include "test_timer_face_accessibility.moc"
