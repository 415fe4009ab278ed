// corvatt: the desktop program. Builds the real services and runs start-up on the Qt host.
#include <QApplication>
#include <QScreen>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/IniRegistry.h"
#include "platform/LocalSingleInstance.h"
#include "platform/PosixLauncher.h"
#include "platform/UserLanguage.h"
#include "view/QtHost.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const corvatt::CommandLine command_line = corvatt::CommandLine::Parse(args);
    const corvatt::Environment env = corvatt::Environment::FromProcess();

    corvatt::Folders folders(env, corvatt::ExecutablePath());
    corvatt::PosixLauncher launcher;

    corvatt::ProgramServices services;
    services.folders = &folders;
    services.launcher = &launcher;
    services.user_ui_language = corvatt::UserUiLanguage(env);
    services.make_registry = [&env](const std::string& app_name) -> std::unique_ptr<corvatt::Registry> {
        return std::make_unique<corvatt::IniRegistry>(corvatt::IniRegistry::DefaultPath(env, app_name));
    };
    services.make_instance = [&env](const std::string& app_name) -> std::unique_ptr<corvatt::SingleInstance> {
        return std::make_unique<corvatt::LocalSingleInstance>(corvatt::LocalSingleInstance::DefaultFolder(env),
                                                              app_name);
    };

    // --quit only talks to the running instance and needs no window system.
    if (command_line.quit) return corvatt::RunProgram(command_line, services);

    QApplication::setApplicationName("Corvatt");
    QApplication application(argc, argv);
    if (QScreen* screen = QApplication::primaryScreen()) {
        const QSize size = screen->size() * screen->devicePixelRatio();
        services.screen = {size.width(), size.height(), static_cast<int>(screen->logicalDotsPerInchX())};
    }

    corvatt::view::ViewOptions view_options;
    view_options.screenshot_path = command_line.screenshot;
    corvatt::view::QtHost host(view_options);
    services.host = &host;

    return corvatt::RunProgram(command_line, services);
}
