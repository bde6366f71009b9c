#include "core/application.h"

#include <string>

#include "core/maker.h"

namespace core {

Application::Application(platform::Platform& platform, ui::WindowSystem& windows,
                         WindowFactories factories)
    : g_(platform, windows), factories_(std::move(factories)) {}

Application::~Application() = default;

void Application::Start() {
  g_.Windows().SetTitle(std::string(kProductTitle));
  main_ = std::make_unique<TFrminit>(g_, factories_);
  main_->Create();
  main_->CreateKeptWindows();
}

void Application::RunMainLoop() {
  main_->Show();
  // A close asked for while the start-up showed its modal windows.
  g_.RunDeferredClose();
  if (main_->Visible()) g_.Windows().RunMainLoop(*main_);
}

int Application::Run() {
  Start();
  RunMainLoop();
  return 0;
}

}  // namespace core
