#include "cli/CliCommand.h"

#include <CLI/App.hpp>
#include <QFile>
#include <ostream>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "datafile/GunReportFile.h"

void StreamMessageSink::ShowErrorMessage(const std::string& text) {
    stream_ << text << '\n';
}

void StreamMessageSink::ShowPlainMessage(const std::string& text) {
    stream_ << text << '\n';
}

GunParameterTexts ParameterTextsOf(const GunParameters& gun) {
    GunParameterTexts texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = NumberToField(gun.values[i], '.');
    }
    return texts;
}

void AddGunReport(CLI::App& command, std::string& path) {
    command.add_option("GUN.txt", path, "the gun report, as Save writes it")->required();
}

std::vector<MeasuredShot> LoadChronographShots(const std::string& path) {
    QFile file(QString::fromStdString(path));
    QByteArray text;
    if (file.open(QIODevice::ReadOnly)) {
        text = file.readAll();
    }
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        ShowMessageAndAbort(path + ": " + FileLoadingErrorMessage);
    }
    return ReadChronographShots(std::string_view(text.constData(), static_cast<size_t>(text.size())),
                                path);
}
