#include "cli/cli_help.h"

#include "program_version.h"

namespace halden::cli {
namespace {

constexpr std::string_view kHelpText =
    R"HELP(Usage: halducnv --convert VALUE FROM INTO [--group GROUP] [--figures 4|6|8|integer]
                        [--scientific]
       halducnv --convert VALUE FROM [options]    (the value in every unit of the group)
       halducnv --convert - FROM INTO [options]   (a value a line from standard input)
       halducnv --batch [options]                 (VALUE FROM INTO a line)
       halducnv QUESTION [options]                (a question: 3 ft in cm)
       halducnv --list [GROUP]
       halducnv --complete bash|zsh|fish
       halducnv --search-provider                 (the desktop search's converter)
       halducnv -h | --help
       halducnv -V | --version
       halducnv                  (no option: opens the converter window)

--convert VALUE FROM INTO
    Converts VALUE from the unit FROM into the unit INTO and prints the result
    exactly as the converter window's result box shows it: 6 significant
    digits in normal notation unless the options below say otherwise. The
    options saved by the window are not used. A unit into itself gives the
    value.
      halducnv --convert 3 mile m                               prints 4828.03
      halducnv --convert 100 "deg Celsius" "deg Fahrenheit"     prints 212.000
      halducnv --convert FF Hexadecimal Decimal                 prints 255
--convert VALUE FROM
    Prints VALUE in every unit of FROM's group, a line "result<TAB>unit" for
    each, as the converter's All Units window lists them; a unit the value
    cannot be given in shows "Input error".
--convert - FROM INTO
    Reads one value a line from standard input and writes one result a line.
    A value that cannot be converted gives an empty line and "Input error"
    with its line number on standard error; the run goes on.
--batch
    Reads lines VALUE FROM INTO from standard input (names quoted as a shell
    would, or the three separated by tabs) and writes one result a line.
    Without --group a line may also be a question ("3 ft in cm"); three words
    that begin with a value are VALUE FROM INTO.
--unbuffered
    With --convert - or --batch: writes each result at once (for a program
    that talks to halducnv through a pipe); otherwise output goes in blocks.
--group GROUP
    Takes both units from that group ("Graphics Units", "Length").
--figures 4|6|8|integer
    Rounds to 4, 6 or 8 significant digits, or to a whole number.
--scientific
    Writes the result in scientific notation.
QUESTION
    Words without a command ask a question: a value, its unit and the unit
    (or two units) to answer in; the answer is written with the unit as typed.
    "in", "to", "into", "as", ">", "->" or "=" may stand between the units.
    --figures and --scientific apply; --group does not.
      halducnv 3 ft in cm                  prints 91.4400 cm
      halducnv "5'11\" in cm"              prints 180.340 cm
      halducnv 1.8 m in ft+in              prints 5 ft 10.8661 in
      halducnv 1/2 inch to mm              prints 12.7000 mm
--list [GROUP]
    Lists every group with its units, or the units of one group
    (for example: halducnv --list Length, or a part of its name: --list temp).
--complete bash|zsh|fish
    Prints the completion script for that shell, for example
      source <(halducnv --complete bash)
    It completes unit and group names (quoted as they need), options and
    their values.
--search-provider
    Answers questions typed into GNOME Shell's search and KRunner as a D-Bus
    service on the session bus, which starts it when a search asks; it leaves
    after 10 s without a question. Not for use by hand.
-h, --help
    Shows this text.
-V, --version
    Shows the program's name and version.

Naming a unit: use its name as the unit lists show it ("meter (m)"), the name
before its brackets ("meter", "deg Celsius", "尺"), what its parentheses hold
("m", "kt"), what its square brackets hold ("shaku"), one of the names an entry
lists ("feet", "deci"), or a common name or spelling ("C", "degF", "metre",
"litre", "inches", "lbs", "m2", "sqft", "mph", "kph", "tsubo", "US gal",
"UK pint"). Full-width letters, "°C", "℃", "µm" and "m²" are read as the lists
write them. SI prefixes go on SI units: "km", "mg", "kW", "hPa", "MiB",
"kilometres". Letter case counts: "m" is the meter (or milli), "M" is mega.
Symbols and abbreviations are taken only in their own letter case ("mPa" is a
millipascal, "MPa" a megapascal, "Mb" no unit); spelled names in any case
("Meter", "TSUBO", "Pounds") when they fit exactly one unit. Quote names that
hold blanks. The two units are looked up in the first group, in the window's
group order, that holds both; your own groups from Add Units take part.
"GROUP:NAME" names a unit of one group ("Graphics Units:inch"). A name that
fits several units of that group is refused with the list of those units:
choose one of them by its whole name.

VALUE is a whole number as the window's calculator reads it: digits with at
most one "." and an optional exponent ("1.5e-3"); no comma, nothing after it.
A fraction or a mixed number is a value too ("3/8"; "1 1/2" as one argument:
--convert "1 1/2" in mm prints 38.1000). A value too large or too small to
hold ("1e400", "1e-400") is an input error.

Exit status: 0 done; 1 a value cannot be converted ("Input error" on
standard error); 2 an unknown unit, a name that fits several units, two units
in no common group, a question that is not complete, or a bad option (a
one-line message on standard error); 3 the output could not be written.

Files: your own units are read from HUC_USER.DAT in the program's folder
when it holds the program's files, otherwise from $XDG_CONFIG_HOME/halducnv/
(~/.config/halducnv/). Nothing is ever written.
)HELP";

}  // namespace

std::string_view HelpText() { return kHelpText; }

std::string_view VersionText() { return "Halden Unit Converter " HALDEN_VERSION "\n"; }

}  // namespace halden::cli
