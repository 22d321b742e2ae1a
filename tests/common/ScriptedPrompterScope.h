#pragma once
// A scripted prompter installed for one test's lifetime; the previous prompter comes back after it.
#include <memory>

#include "ui/ScriptedPrompter.h"

class TScriptedPrompterScope {
public:
  TScriptedPrompterScope() {
    auto prompter = std::make_unique<TScriptedPrompter>();
    Script = prompter.get();
    FSaved = SetPrompter(std::move(prompter));
  }
  ~TScriptedPrompterScope() { SetPrompter(std::move(FSaved)); }
  TScriptedPrompterScope(const TScriptedPrompterScope&) = delete;
  TScriptedPrompterScope& operator=(const TScriptedPrompterScope&) = delete;

  TScriptedPrompter* Script = nullptr;

private:
  std::unique_ptr<TPrompter> FSaved;
};
