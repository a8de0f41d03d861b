#include "platform/dialogs/MessageBoxDialogs.h"

#include "platform/dialogs/DesktopFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

namespace {

// Stands for a Qt translation into another language: it names every standard button "Bouton".
class ForeignButtonNames : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        Q_UNUSED(sourceText);
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        return QByteArray(context) == "QPlatformTheme" ? QStringLiteral("Bouton") : QString();
    }
};

// What a message box showed, as text that reads well in a failure.
struct SeenBox {
    std::string buttons; // sorted, separated by " / "
    std::string defaultButton;
};

// Waits, from the event loop of the box being shown, for the modal message box; records its buttons
// and then answers it with `answer`. A box that never comes up fails the test instead of hanging it.
void answerNextBox(SeenBox& seen, std::function<void(QMessageBox&)> answer)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, &seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (++*tries < 500)
                return;
            ADD_FAILURE() << "no modal message box came up";
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* stray = qobject_cast<QMessageBox*>(widget))
                    stray->done(0);
            }
        } else {
            QStringList texts;
            for (QAbstractButton* button : box->buttons())
                texts << button->text();
            texts.sort();
            seen.buttons = texts.join(QStringLiteral(" / ")).toStdString();
            if (box->defaultButton())
                seen.defaultButton = box->defaultButton()->text().toStdString();
            answer(*box);
            // An answer that leaves the box open fails the test instead of hanging it.
            QTimer::singleShot(2000, box, [box] {
                ADD_FAILURE() << "the answer left the message box open";
                box->done(0);
            });
        }
        poll->deleteLater();
    });
    poll->start();
}

void click(QMessageBox& box, const QString& text)
{
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button reads " << text.toStdString();
    box.done(0);
}

class MessageBoxButtons : public ::testing::Test {
protected:
    void SetUp() override { QCoreApplication::installTranslator(&foreign); }
    void TearDown() override { QCoreApplication::removeTranslator(&foreign); }

    ForeignButtonNames foreign;
    MessageBoxDialogs boxes;
    Dialogs& dialogs = boxes; // as the program calls them
    SeenBox seen;
};

} // namespace

void PrintTo(Answer answer, std::ostream* out)
{
    *out << (answer == Answer::Yes ? "Yes" : answer == Answer::No ? "No" : "Ok");
}

TEST_F(MessageBoxButtons, MessagesHaveOneButtonNamedInChinese)
{
    answerNextBox(seen, [](QMessageBox& box) { click(box, QStringLiteral("确定")); });
    dialogs.inform(nullptr, QStringLiteral("Vantrel工具"), QStringLiteral("请输入定时时间"));
    EXPECT_EQ(seen.buttons, "确定");

    seen = {};
    answerNextBox(seen, [](QMessageBox& box) { click(box, QStringLiteral("确定")); });
    dialogs.systemModalNotice(QStringLiteral("Vantrel工具提示："), QStringLiteral("您好，本软件已运行"));
    EXPECT_EQ(seen.buttons, "确定");
}

TEST_F(MessageBoxButtons, QuestionsNameTheirButtonsInChineseAndAnswerAsTheySay)
{
    answerNextBox(seen, [](QMessageBox& box) { click(box, QStringLiteral("是")); });
    EXPECT_EQ(dialogs.askYesNo(nullptr, QStringLiteral("Vantrel工具"), QStringLiteral("确实要停止计时吗?")),
              Answer::Yes);
    EXPECT_EQ(seen.buttons, "否 / 是");

    seen = {};
    answerNextBox(seen, [](QMessageBox& box) { click(box, QStringLiteral("否")); });
    EXPECT_EQ(dialogs.askYesNo(nullptr, QStringLiteral("Vantrel工具"), QStringLiteral("确实要停止计时吗?")),
              Answer::No);
}

TEST_F(MessageBoxButtons, KeysAnswerAQuestion)
{
    const auto answerWithKey = [this](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        answerNextBox(seen, [key, modifiers](QMessageBox& box) {
            // An access key reaches the box once it is the active window, as under the teacher's hand.
            EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
            QTest::keyClick(&box, key, modifiers);
        });
        return dialogs.askYesNo(nullptr, QStringLiteral("Vantrel工具"),
                                QStringLiteral("确实要退出Vantrel程序吗?"));
    };
    EXPECT_EQ(answerWithKey(Qt::Key_Y), Answer::Yes);
    EXPECT_EQ(answerWithKey(Qt::Key_N), Answer::No);
    EXPECT_EQ(answerWithKey(Qt::Key_Y, Qt::AltModifier), Answer::Yes);
    // Enter takes the default, 否; so does Escape.
    EXPECT_EQ(answerWithKey(Qt::Key_Return), Answer::No);
    EXPECT_EQ(seen.defaultButton, "否");
    EXPECT_EQ(answerWithKey(Qt::Key_Escape), Answer::No);
}

// A message about the teacher's files offers their folder; the folder goes to the desktop only when
// the teacher asks, and a folder that is not there is not offered.
TEST_F(MessageBoxButtons, MessagesAboutFilesOfferTheirFolder)
{
    QTemporaryDir folder;
    QStringList asked;
    desktopfolder::setShowForTesting([&](const QString& shown) {
        asked << shown;
        return true;
    });
    const QString text = QStringLiteral("找不到名单文件：name.xls");

    answerNextBox(seen, [](QMessageBox& box) { click(box, MessageBoxDialogs::kOpenFolder); });
    dialogs.informWithFolder(nullptr, QStringLiteral("Vantrel工具提示："), text, folder.path());
    EXPECT_EQ(seen.buttons, "打开文件夹 / 确定");
    EXPECT_EQ(seen.defaultButton, "确定");
    EXPECT_EQ(asked, QStringList{folder.path()});

    asked.clear();
    answerNextBox(seen, [](QMessageBox& box) { click(box, QStringLiteral("确定")); });
    dialogs.informWithFolder(nullptr, QStringLiteral("Vantrel工具提示："), text, folder.path());
    EXPECT_TRUE(asked.isEmpty());

    seen = {};
    answerNextBox(seen, [](QMessageBox& box) { click(box, QStringLiteral("确定")); });
    dialogs.informWithFolder(nullptr, QStringLiteral("Vantrel工具提示："), text, folder.filePath("gone"));
    EXPECT_EQ(seen.buttons, "确定");
    desktopfolder::setShowForTesting({});
}
