#include "app/BrillexApp.h"

namespace brillex {

BrillexApp::BrillexApp(const AppDelegate::Platform& platform, AppModels models)
    : appDelegate(platform, std::move(models)), application_(platform.application) {
    application_.setDelegate(appDelegate);
}

int BrillexApp::main() {
    BrillexApp app(AppDelegate::Platform::installed(), AppModels::shared());
    return app.run();
}

int BrillexApp::run() {
    return application_.run();
}

} // namespace brillex
