#pragma once
#include <memory>

class QWidget;
class TAdvancedForm;
class TMainForm;
class TMisc1;

// Makes the advanced dialog of `mainForm` (its child), connects its signals to the main
// window, and runs its FormCreate: the tree, TLDInfoList, the TLD box, the quick ticks,
// the saved TLD, the tick count and the proxy warning. The two windows know each other
// only through here.
std::unique_ptr<TAdvancedForm> CreateAdvancedDialog(TMisc1& engine, TMainForm& mainForm);
