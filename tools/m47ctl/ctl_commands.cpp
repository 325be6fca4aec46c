#include "ctl_commands.h"

#include "ctl_program.h"
#include "ctl_report.h"
#include "device_link.h"

#include "serial/port_list.h"
#include "serial/port_scan.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>

namespace m47::ctl {

namespace {

void Print(const CtlOptions& options, const QJsonObject& result)
{
    const QByteArray text = options.json ? QJsonDocument(result).toJson(QJsonDocument::Compact) + '\n'
                                         : HumanText(result).toUtf8();
    std::fputs(text.constData(), stdout);
    std::fflush(stdout);
}

int Failed(int status, const QString& reason)
{
    std::fprintf(stderr, "m47ctl: %s\n", qPrintable(reason));
    return status;
}

LinkSetup SetupOf(const CtlOptions& options)
{
    return {options.comNumber, options.rs232,   options.pcBaudRate,
            options.network,   options.verbose, options.timeoutSeconds};
}

// Later steps' expectations over earlier ones: what the device must report at the end.
device::DeviceSettings Merged(const std::vector<ProgramStep>& steps)
{
    device::DeviceSettings merged;
    for (const ProgramStep& step : steps) {
        const device::DeviceSettings& e = step.expected;
        merged = {e.rs232BaudRate ? e.rs232BaudRate : merged.rs232BaudRate,
                  e.nmeaBaudRate ? e.nmeaBaudRate : merged.nmeaBaudRate,
                  e.gpsEnabled ? e.gpsEnabled : merged.gpsEnabled,
                  e.gpsAtSeaLevel ? e.gpsAtSeaLevel : merged.gpsAtSeaLevel};
    }
    return merged;
}

int List(const CtlOptions& options)
{
    TPortList ports;
    ports.EnumeratePorts();
    const TPortEnvironment env = SystemPortEnvironment();
    std::vector<ListedPort> listed;
    const QStringList names = ports.ComboItems();
    for (int i = 0; i < ports.PortCount() && i < names.size(); ++i) {
        const int com = SelectedComNumber(names[i]);
        listed.push_back({com, names[i], com > 0 ? ResolveDevicePath(ComDeviceName(com), env) : QString()});
    }
    if (options.json) {
        Print(options, QJsonObject{{QStringLiteral("ports"), PortsJson(listed)}});
        return kExitOk;
    }
    for (const ListedPort& port : listed)
        std::printf("COM%d\t%s\t%s\n", port.com, qPrintable(port.name), qPrintable(port.path));
    return kExitOk;
}

// Sends the steps in turn, then compares what the device reports with all of them.
int Programme(const CtlOptions& options, DeviceLink& link, const std::vector<ProgramStep>& steps,
              const device::DeviceSettings& expected)
{
    for (const ProgramStep& step : steps)
        if (const auto failure = link.Program(step.command))
            return Failed(failure->status, failure->reason);
    const auto differences = device::VerifySettings(expected, device::ReportedSettings(link.Info()));
    Print(options, QJsonObject{{QStringLiteral("port"), link.PortName()},
                               {QStringLiteral("verified"), differences.empty()},
                               {QStringLiteral("differences"), DifferencesJson(differences)},
                               {QStringLiteral("device"), ProductInfoJson(link.PortName(), link.Info())}});
    if (!differences.empty())
        return Failed(kExitDevice, link.PortName() + QStringLiteral(": not verified: ") +
                                       QString::fromStdString(device::DescribeDifferences(differences)));
    return kExitOk;
}

int WithDevice(const CtlOptions& options, TComm& port, const std::optional<device::DeviceSettings>& profile)
{
    DeviceLink link(SetupOf(options), port);
    const auto run = [&]() -> int {
        if (const auto failure = link.Connect())
            return Failed(failure->status, failure->reason);
        QJsonObject info = ProductInfoJson(link.PortName(), link.Info());
        switch (options.command) {
        case Command::Read:
            if (options.network && link.Info().NetworkModulePresent) {
                if (const auto failure = link.ReadModule())
                    return Failed(failure->status, failure->reason);
                info.insert(QStringLiteral("network"), ModuleJson(link.Module()));
            }
            break;
        case Command::Program: {
            const auto steps = PlanProgramming(options.program, link.Info());
            return Programme(options, link, steps, Merged(steps));
        }
        case Command::ProfileSave: {
            QSaveFile file(QString::fromStdString(options.profilePath));
            if (!file.open(QIODevice::WriteOnly) || file.write(ProfileText(ReportedSettings(link.Info()))) < 0 ||
                !file.commit())
                return Failed(kExitDevice, QStringLiteral("%1: cannot write the profile: %2")
                                               .arg(QString::fromStdString(options.profilePath), file.errorString()));
            break;
        }
        case Command::ProfileApply:
            return Programme(options, link,
                             StepsStillNeeded(PlanProgramming(ProfileRequest(*profile), link.Info()), link.Info()),
                             *profile);
        default: break;
        }
        Print(options, info);
        return kExitOk;
    };
    const int status = run();
    link.Close();
    return status;
}

} // namespace

int RunCommand(const CtlOptions& options, TComm& port)
{
    switch (options.command) {
    case Command::Help: std::fputs(HelpText().c_str(), stdout); return kExitOk;
    case Command::List: return List(options);
    case Command::ProfileApply: {
        const QString path = QString::fromStdString(options.profilePath);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Failed(kExitUsage, QStringLiteral("%1: %2").arg(path, file.errorString()));
        QString error;
        const auto profile = ReadProfile(file.read(64 * 1024), error);
        if (!profile)
            return Failed(kExitUsage, QStringLiteral("%1: %2").arg(path, error));
        return WithDevice(options, port, profile);
    }
    default: return WithDevice(options, port, std::nullopt);
    }
}

} // namespace m47::ctl
