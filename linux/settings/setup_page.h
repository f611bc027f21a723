#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>
#include <QWidget>
#include <atomic>
#include <cstdint>

#include "core/chime/chime.h"
#include "core/settings/setup_controls.h"

namespace tockbell {

// The Setup page: the Windows page's controls in layouts, each with its mnemonic, accessible name
// and tooltip. The rules run on the core's description of the controls, which this page moves to
// and from its widgets in one place (Read and Show).
class SetupPage : public QWidget {
public:
    // `flags` is the settings' word, on which the sound switch acts at once; the test buttons play
    // through `sounds`. Both outlive the page.
    SetupPage(std::atomic<std::uint32_t>& flags, SoundServices& sounds, QWidget* parent = nullptr);

    SetupControls Read() const;
    void Show(const SetupControls& controls);
    // Sets "Striking and voices" and applies it.
    void SetSoundSwitch(bool on);

private:
    // Reads the controls, lets `rule` change them and shows the result.
    template <class Rule>
    void Change(Rule rule);
    QCheckBox* AddBox(const char* text, const char* tooltip);

    std::atomic<std::uint32_t>& flags_;
    SoundServices& sounds_;
    QCheckBox* soundOn_;
    QCheckBox* multistrike_;
    QCheckBox* strikeHalf_;
    QCheckBox* voiceHours_;
    QCheckBox* voiceHalf_;
    QCheckBox* swapAmPm_;
    QCheckBox* iconHidden_;
    QCheckBox* closeProgram_;
    QCheckBox* uninstall_;
    QComboBox* language_;
    QSlider* volume_;
    QPushButton* testTwo_;
    QPushButton* testHalfPastFive_;
    QPlainTextEdit* zones_;
    QCheckBox* quietOn_;
    QTimeEdit* quietFrom_;
    QTimeEdit* quietTo_;
};

}  // namespace tockbell
