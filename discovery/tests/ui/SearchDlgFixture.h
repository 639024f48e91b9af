#pragma once
// The search dialog's test fixture: a simulator on loopback and the dialog run modally, as an
// operator would, with a probe called while it is open.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <functional>
#include <initializer_list>

#include "discovery/SearchDlg.h"
#include "testsupport/WireTest.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {

inline sim::Rig Rig(std::initializer_list<uint32_t> types) {
    sim::Rig rig;
    uint8_t n = 1;
    for (const uint32_t type : types) {
        rig.devices.push_back(sim::MakeSimDevice(type, {0, 0x1A, 0x2B, 0, 0, n}, {192, 168, 1, n}));
        ++n;
    }
    return rig;
}

class SearchDlgTest : public testing::SimulatorTest {
protected:
    void Start(sim::Rig rig) {
        sim::SimOptions options;
        options.searchDelayMinMs = options.searchDelayMaxMs = 10;  // replies in rig order
        StartSimulator(std::move(rig), 10, options);
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        SimulatorTest::TearDown();
    }
    // Runs the dialog modally; poll is called every 10 ms while it is open.
    int Run(CSearchDlg& dlg, const std::function<void()>& poll) {
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, poll);
        sampler.start(10);
        elapsed.start();
        return dlg.exec();
    }
    static QString Counter(const CSearchDlg& dlg) {
        return dlg.findChild<QLabel*>(QStringLiteral("Count"))->text();
    }
    static int Progress(const CSearchDlg& dlg) {
        return dlg.findChild<QProgressBar*>(QStringLiteral("Progress"))->value();
    }
    QElapsedTimer elapsed;  // since Run opened the dialog
};

}  // namespace varlo::ui
