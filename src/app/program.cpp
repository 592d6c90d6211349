#include <memory>
#include <string>
#include <vector>

#include "app/bindings.h"
#include "app/main_window.h"

namespace vesko {

void connectHandlers(App& app) {
  auto table = std::make_shared<std::vector<Binding>>();
  for (auto list : {appBindings, soundBindings, playingBindings, scoreBindings, filesBindings, displayBindings})
    for (const Binding& b : list()) table->push_back(b);

  App* a = &app;
  app.tk.setEventHandler([a, table](const Event& e) {
    const std::string& window = a->tk.windowName(e.window);
    const std::string& control = e.control == kNoControl ? std::string() : a->tk.nameOf(e.control);
    for (const Binding& b : *table) {
      if (b.kind == e.kind && window == b.window && control == b.control) {
        b.handler(*a, e);
        return;
      }
    }
  });
}

void startProgram(App& app) {
  initProgramState(app.st);
  connectHandlers(app);
  app.main = app.tk.loadWindow(mainWindowDef(), false);
}

int runProgram(App& app) {
  startProgram(app);
  const int code = app.tk.runMessageLoop();
  releaseProgramState(app.st);
  return code;
}

}  // namespace vesko
