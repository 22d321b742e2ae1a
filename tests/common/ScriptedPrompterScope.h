#pragma once
// A scripted prompter installed for one test's lifetime; the previous prompter comes back after it.
#include <memory>
#include <string>

#include <gtest/gtest.h>

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

// `script` showed exactly one prompt, and its text is `text`.
inline void ExpectOnlyPrompt(const TScriptedPrompter& script, const std::string& text) {
  ASSERT_EQ(script.Prompts().size(), 1u);
  EXPECT_EQ(script.Prompts()[0].Text, text);
}
