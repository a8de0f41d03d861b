#include "ui/flow/InstructionShowBinding.h"

#include "models/draw/InstructionShow.h"
#include "platform/CatalogueText.h"
#include "platform/Dialogs.h"
#include "platform/ProgramNoticeTitle.h"
#include "platform/WindowSystem.h"
#include "ui/Program.h"
#include "ui/draw/DeckConversionNotice.h"
#include "ui/main/MainWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <memory>

namespace {

const CatalogueText& kNoticeTitle = kProgramNoticeTitle;

} // namespace

void bindInstructionShow(Program& program)
{
    InstructionShow& show = program.instructionShow();
    // The notice of a conversion under way; gone once the show starts or closes.
    auto notice = std::make_shared<QPointer<DeckConversionNotice>>();
    auto dropNotice = [notice] {
        if (*notice) {
            (*notice)->disconnect();
            (*notice)->close();
        }
    };

    QObject::connect(&show, &InstructionShow::preparing, &show,
                     [&program, &show, notice](const QString& deck) {
                         // The countdown stays in view while the deck is converted, and the wait can be
                         // cancelled.
                         MainWindow* main = program.loaded<MainWindow>();
                         if (main)
                             main->show();
                         program.resumeTracking();
                         if (!*notice) {
                             *notice = new DeckConversionNotice(deck, main);
                             QObject::connect(*notice, &DeckConversionNotice::cancelled, &show, [&show] {
                                 if (show.isOpen())
                                     show.close();
                             });
                             (*notice)->show();
                         }
                     });
    QObject::connect(&show, &InstructionShow::started, &show, [&program, &show, dropNotice] {
        dropNotice();
        if (auto* main = program.loaded<MainWindow>()) {
            main->show();
            main->setHeightTwips(MainWindow::kHelpHeight);
            // Over the show for the countdown, also once the show has the keyboard.
            if (Presentation* presentation = show.presentation())
                presentation->keepAboveShow(main);
            main->raise();
        }
        program.resumeTracking();
    });
    QObject::connect(&show, &InstructionShow::failed, &show, [&program, &show](const QString& why) {
        // Said as the slide draw says it of its deck: what went wrong and where the deck belongs.
        program.dialogs().informWithFolder(
            program.loadedWindow(WindowKind::Main), kNoticeTitle,
            QCoreApplication::translate("InstructionShowBinding",
                                        "无法播放说明文件 %1：%2\n说明文件应以 %1 为名放在 %3 中。")
                .arg(show.deck(), why, QDir::toNativeSeparators(show.dataFolder())),
            show.dataFolder());
    });
    QObject::connect(&show, &InstructionShow::closed, &show, [&program, dropNotice] {
        dropNotice();
        // A full-screen show may have hidden the taskbar.
        program.windows().showTaskbar();
        program.resumeTracking();
        if (auto* main = program.loaded<MainWindow>())
            main->show();
    });
}
