#include "ui/WindowWiring.h"
#include "ui/AdvancedForm.h"
#include "platform/HelpSystem.h"
#include "ui/MainForm.h"

std::unique_ptr<TAdvancedForm> CreateAdvancedDialog(TMisc1& engine, TMainForm& mainForm)
{
    auto dialog = std::make_unique<TAdvancedForm>(engine, &mainForm);
    TMainForm* main = &mainForm;
    QObject::connect(dialog.get(), &TAdvancedForm::tldBoxCleared, main, &TMainForm::clearTLDCombo);
    QObject::connect(dialog.get(), &TAdvancedForm::tldBoxFilled, main, &TMainForm::setTLDComboItems);
    QObject::connect(dialog.get(), &TAdvancedForm::tldBoxGained, main, &TMainForm::addTLDComboItem);
    QObject::connect(dialog.get(), &TAdvancedForm::mainDefaultsRestored, main, &TMainForm::restoreMainDefaults);
    QObject::connect(dialog.get(), &TAdvancedForm::mainWindowWanted, main, &QWidget::show);
    QObject::connect(dialog.get(), &TAdvancedForm::helpRequested, main, [main] {
        if (IHelpSystem* help = main->helpSystem())
            help->Command(HelpCommand::Finder, 0);
    });
    QObject::connect(dialog.get(), &TAdvancedForm::tldListRebuilt, main, [main](bool atStartUp) {
        // With four entries or fewer only as many quick ticks as there are entries follow.
        main->setQuickTicksFromTLDInfoList();
        if (atStartUp)
            main->selectSavedTLD();
        main->DomainCheckClickCheck();
    });
    dialog->FormCreate();
    return dialog;
}
