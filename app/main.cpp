// varlo: the desktop front end.
//   varlo [--target ADDRESS[:PORT]] [--interface NAME]... [--demo]
#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/GUI_HeronApp.h"
#include "app/MainFrame.h"
#include "artnet4/ArtNetSettings.h"
#include "comport/ComRegistrySource.h"
#include "sim/DemoMode.h"
#include "transport/TransportSettings.h"
#include "widgets/VarloMessageBox.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: varlo [--target ADDRESS[:PORT]] [--interface NAME]... [--demo]\n"
                 "  --target  where requests go (default the limited broadcast, port 63879,\n"
                 "            out of every adapter; Art-Net polls go to the same address, port\n"
                 "            6454)\n"
                 "  --interface  search out of this adapter only (repeatable)\n"
                 "  --demo    a simulated rig of every model on loopback, and the demo COM "
                 "mappings\n");
}

// Qt's arguments with, on Windows, the FreeType font engine unless a platform is chosen. The Qt
// for MinGW kit has no DirectWrite, and its GDI engine drew no text in line edits under Wine
// (labels, lists and combo boxes showed theirs); FreeType, built into Qt, draws them all.
std::vector<char*> QtArguments(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
#ifdef _WIN32
    static char platformOption[] = "-platform";
    static char freetype[] = "windows:fontengine=freetype";
    bool platformGiven = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) {
        platformGiven = platformGiven || std::strcmp(argv[i], "-platform") == 0;
    }
    if (!platformGiven && argc > 0) {
        args.insert(args.begin() + 1, {platformOption, freetype});
    }
#endif
    args.push_back(nullptr);
    return args;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> qtArgs = QtArguments(argc, argv);
    int qtArgc = static_cast<int>(qtArgs.size()) - 1;
    QApplication qapp(qtArgc, qtArgs.data());
    bool demo = false;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--demo")) {
            demo = true;
        } else if (args[i] == QLatin1String("--target") && i + 1 < args.size()) {
            if (!varlo::SetTarget(args[++i].toStdString())) {
                std::fprintf(stderr, "varlo: --target needs ADDRESS[:PORT], e.g. 192.168.1.255\n");
                return 2;
            }
            // Art-Net polls go to the same address, on Art-Net's own port.
            varlo::artnet4::ArtNetTarget().pollAddrs = {varlo::Transport().targetAddr};
        } else if (args[i] == QLatin1String("--interface") && i + 1 < args.size()) {
            varlo::Transport().interfaceNames.push_back(args[++i].toStdString());
        } else if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h")) {
            Usage();
            return 0;
        } else {
            Usage();
            return 2;
        }
    }

    std::unique_ptr<varlo::sim::DeviceSimulator> rig;
    if (demo) {
        rig = varlo::sim::StartDemo();
        if (!rig) {
            std::fprintf(stderr, "varlo: cannot start the demo rig on loopback\n");
            return 1;
        }
        varlo::UseDemoComRegistry();
    }

    varlo::ui::CGUI_HeronApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    if (demo) {
        app.MainFrame()->SetStatusNote(
            QStringLiteral("Demo: simulated devices on %1:%2")
                .arg(QString::fromStdString(varlo::FormatIpv4(rig->Address())))
                .arg(rig->Port()));
    }
    return QApplication::exec();
}
