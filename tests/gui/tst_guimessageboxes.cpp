// The message boxes on screen: icon, buttons, line breaks, and the answer of each way
// of closing them.
#include "ui/GuiMessageBoxes.h"
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

// Runs `step` on the box as soon as it is shown modally.
void OnBox(std::function<void(QMessageBox*)> step)
{
    QTimer::singleShot(0, [step = std::move(step)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        step(box);
    });
}

QList<QMessageBox::StandardButton> ButtonsOf(QMessageBox* box)
{
    QList<QMessageBox::StandardButton> list;
    for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        if (box->button(b))
            list.append(b);
    return list;
}

} // namespace

class TestGuiMessageBoxes : public QObject {
    Q_OBJECT

private slots:
    void kindsAndButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<QMessageBox::StandardButton>>("shown");
        using B = QList<QMessageBox::StandardButton>;
        QTest::newRow("warning") << int(MessageKind::Warning) << int(MbOk) << int(QMessageBox::Warning) << "Warning" << B{QMessageBox::Ok};
        QTest::newRow("error yes/no") << int(MessageKind::Error) << int(MbYes | MbNo) << int(QMessageBox::Critical) << "Error"
                                      << B{QMessageBox::Yes, QMessageBox::No};
        QTest::newRow("information") << int(MessageKind::Information) << int(MbOk) << int(QMessageBox::Information) << "Information"
                                     << B{QMessageBox::Ok};
        QTest::newRow("question yes/no/cancel") << int(MessageKind::Question) << int(MbYes | MbNo | MbCancel)
                                                << int(QMessageBox::Question) << "Confirm"
                                                << B{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        QTest::newRow("error ok/no") << int(MessageKind::Error) << int(MbOk | MbNo) << int(QMessageBox::Critical) << "Error"
                                     << B{QMessageBox::Ok, QMessageBox::No};
    }

    void kindsAndButtons()
    {
        QFETCH(int, kind);
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(QString, title);
        QFETCH(QList<QMessageBox::StandardButton>, shown);
        GuiMessageBoxes boxes;
        bool seen = false;
        OnBox([&](QMessageBox* box) {
            seen = true;
            QCOMPARE(int(box->icon()), icon);
            QCOMPARE(box->windowTitle(), title);
            QCOMPARE(ButtonsOf(box), shown);
            QCOMPARE(box->text(), QStringLiteral("first line\n\nsecond line\nthird"));
            QVERIFY(box->isModal());
            box->button(shown.constLast())->click();
        });
        const MessageButton answer = boxes.Show(MessageKind(kind), QStringLiteral("first line\r\rsecond line\r\nthird"), buttons);
        QVERIFY(seen);
        const QHash<QMessageBox::StandardButton, MessageButton> answers{
            {QMessageBox::Ok, MbOk}, {QMessageBox::Yes, MbYes}, {QMessageBox::No, MbNo}, {QMessageBox::Cancel, MbCancel}};
        QCOMPARE(answer, answers.value(shown.constLast()));
    }

    void eachButtonAnswersItself()
    {
        GuiMessageBoxes boxes;
        for (QMessageBox::StandardButton pressed : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
            OnBox([pressed](QMessageBox* box) { box->button(pressed)->click(); });
            const MessageButton answer = boxes.Show(MessageKind::Question, QStringLiteral("?"), MbYes | MbNo | MbCancel);
            QCOMPARE(answer, pressed == QMessageBox::Yes ? MbYes : pressed == QMessageBox::No ? MbNo : MbCancel);
        }
    }

    void closeBoxAnswers_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes/no/cancel") << int(MbYes | MbNo | MbCancel) << int(MbCancel);
        QTest::newRow("yes/no") << int(MbYes | MbNo) << int(MbNo);
        QTest::newRow("ok") << int(MbOk) << int(MbOk);
    }

    void closeBoxAnswers()
    {
        QFETCH(int, buttons);
        QFETCH(int, answer);
        GuiMessageBoxes boxes;
        // Once by the close button, once by Escape.
        OnBox([](QMessageBox* box) { box->close(); });
        QCOMPARE(int(boxes.Show(MessageKind::Question, QStringLiteral("?"), buttons)), answer);
        OnBox([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(int(boxes.Show(MessageKind::Question, QStringLiteral("?"), buttons)), answer);
    }

    void markupIsShownAsText()
    {
        GuiMessageBoxes boxes;
        OnBox([](QMessageBox* box) {
            QCOMPARE(box->textFormat(), Qt::PlainText);
            box->button(QMessageBox::Ok)->click();
        });
        boxes.Show(MessageKind::Error, QStringLiteral("<b>name</b>.com"), MbOk);
    }
};

QTEST_MAIN(TestGuiMessageBoxes)
#include "tst_guimessageboxes.moc"
