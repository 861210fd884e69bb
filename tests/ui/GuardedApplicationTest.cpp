#include <QtTest>
#include <new>

#include "app/GuardedApplication.h"
#include "resources/Texts.h"
#include "support/ScriptedMessages.h"

namespace kalderon {
namespace {

// Runs out of memory on its first event, then takes events as usual.
class Exhausting : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User) return QObject::event(e);
        if (++events == 1) throw std::bad_alloc();
        return true;
    }
    int events = 0;
};

}  // namespace

class GuardedApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void OutOfMemoryInAnEventIsAMessageAndTheProgramGoesOn()
    {
        auto* application = static_cast<GuardedApplication*>(QCoreApplication::instance());
        testing::ScriptedMessages messages;
        application->SetMessages(&messages);
        Exhausting target;
        QEvent first(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&target, &first));
        QCOMPARE(messages.shown, QStringList{QString::fromLatin1(text::kNotEnoughMemory)});
        QEvent second(QEvent::User);
        QVERIFY(QCoreApplication::sendEvent(&target, &second));
        QCOMPARE(target.events, 2);
        QCOMPARE(messages.shown.size(), 1);
        application->SetMessages(nullptr);
    }
};

}  // namespace kalderon

int main(int argc, char** argv)
{
    kalderon::GuardedApplication application(argc, argv);
    kalderon::GuardedApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GuardedApplicationTest.moc"
