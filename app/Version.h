// The program's identity, shared by its version resource (Glyphora.rc, read
// by windres as UTF-8) and the About box: plain macros only, so that the
// resource compiler can read this file too.
#pragma once

#define GLYPHORA_PRODUCT "Glyphora"
#define GLYPHORA_COMPANY "Orlenka"
// The version that names the settings key (Software\Orlenka\Glyphora\2.10).
#define GLYPHORA_VERSION "2.10"
#define GLYPHORA_VERSION_NUMBERS 2, 10, 0, 0
#define GLYPHORA_DESCRIPTION "Glyphora, prohlížeč písem"
#define GLYPHORA_COPYRIGHT "Copyright © 2024 Orlenka"
