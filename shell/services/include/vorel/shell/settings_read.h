// What the main frame reads from the settings files when it opens: the wallpaper (`Vorel.ini`
// section `Papel_Parede`, with `BComuns\Revenda.Ini` for the default picture), the printing mode,
// the office parameters (`BComuns\Vorel.ini` section `Parametros`) and the keypad option
// (`qel.ini`). Pure readers: they return values and set no global.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "vorel/shell/globals.h"
#include "vorel/shell/office_settings.h"
#include "vorel/shell/printing_settings.h"

namespace vorel::shell {

// The wallpaper window's three settings, as stored.
struct PapelParedeConfig {
    std::string arquivo;  // Windows-1252 path
    int disposicao = 0;   // 1 stretched, 2 tiled, 3 centred; anything else none
    std::string nenhum;   // not blank: no wallpaper
};
PapelParedeConfig LePapelParedeConfig();
[[nodiscard]] std::error_code GravaPapelParedeConfig(const PapelParedeConfig& c);

// What the frame shows: the picture file (blank: none) and its layout.
struct PapelParede {
    std::string arquivo;
    int disposicao = 0;
};
// The frame's rule: the configured picture, or with none the office's default picture tiled
// (PastaRaiz & "netfundo.bmp" when "Revenda" of BComuns\Revenda.Ini is 2 or 3, else
// "FGenerico.bmp"); no picture at all when "Nenhum" is not blank.
PapelParede PapelParedeDoQuadro(std::string_view pastaRaiz);

// The printing-mode display: icon file and text. `aoAbrir` gives the frame-open form ("Vídeo/Windows").
struct ModoImpressaoVisual {
    std::string icone, texto;  // UTF-8
};
ModoImpressaoVisual VisualModoImpressao(std::uint8_t modo, bool aoAbrir);

// True when the keypad's decimal key types a comma ("TecladoPadraoBR" of qel.ini 0 or missing).
bool TecladoDecimalComVirgula();

}  // namespace vorel::shell
