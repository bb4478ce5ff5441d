#include "workflow/messages.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <utility>

#include "data/text_encoding.h"
#include "results/number_format.h"

namespace granomet::messages {
namespace {

// The two failures every reader can meet, told in the same words wherever they come.
constexpr std::string_view kNulBytes = "contiene bytes nulos: no es un fichero de texto";
constexpr std::string_view kOpenQuote =
    "unas comillas (\") abren un campo que no se cierra hasta el final del fichero";

std::string out(std::string_view utf8) {
  return utf8ToCp1252(utf8);
}
// A name or field from the program's 8-bit text, to be set in a UTF-8 sentence.
std::string in(std::string_view programText) {
  return cp1252ToUtf8(programText);
}
std::string number(int value) {
  return std::to_string(value);
}
std::string joined(std::string_view a, std::string_view b) {
  return std::string(a) + std::string(b);
}

MessageRequest perSample(MessageRequest warning) {
  warning.perSampleWarning = true;
  return warning;
}

// "«A», «B» y «C»", or "«A», …, «J» y 5 más" past `shown` texts; from program text.
std::string namedList(const std::vector<std::string>& texts, std::size_t shown) {
  const std::size_t named = std::min(texts.size(), shown);
  std::string list;
  for (std::size_t i = 0; i < named; ++i) {
    const bool last = i + 1 == named && named == texts.size();
    list += i == 0 ? "" : last ? " y " : ", ";
    list += "«" + in(texts[i]) + "»";
  }
  if (named < texts.size()) {
    list += " y " + std::to_string(texts.size() - named) + " más";
  }
  return list;
}

std::string kindText(FileKind kind) {
  switch (kind) {
    case FileKind::Folder:
      return "una carpeta";
    case FileKind::NamedPipe:
      return "una tubería con nombre";
    case FileKind::Device:
      return "un dispositivo";
    case FileKind::Socket:
      return "un socket";
    case FileKind::Regular:
    case FileKind::Special:
      break;
  }
  return "un fichero especial";
}

std::string inputKind(InputFile input) {
  return input == InputFile::Lot ? "lote" : "exportación";
}

std::string separatorName(char separator) {
  switch (separator) {
    case ',':
      return "comas (,)";
    case ';':
      return "punto y coma (;)";
    case '\t':
      return "tabuladores";
    default:
      break;
  }
  return std::string("\"") + separator + "\"";
}

MessageRequest lotFailure(std::string_view fileName, std::int16_t nearOrderNumber,
                          const std::string& cause) {
  return {"Error aproximadamente en la muestra " + number(nearOrderNumber) + "\n\n" +
              std::string(fileName) + ": " + out(cause),
          "ERROR EN CSV", MessageButtons::Ok, MessageIcon::Error};
}

std::string lotCause(const ReadError& error, std::int16_t orderNumber) {
  switch (error.cause()) {
    case ReadError::Cause::CannotOpen:
      return "no se puede abrir el fichero.";
    case ReadError::Cause::EndOfFile:
      return "el fichero termina antes de lo esperado (faltan filas o columnas).";
    case ReadError::Cause::Overflow:
      if (error.subject().empty()) {
        return "hay un número demasiado grande para su columna.";
      }
      return "el número \"" + in(error.subject()) + "\" es demasiado grande para su columna.";
    case ReadError::Cause::OutOfRange:
      return "el número de orden " + number(orderNumber) + " no está entre 1 y 254.";
    case ReadError::Cause::NotText:
      return joined("el fichero ", kNulBytes) + ".";
    case ReadError::Cause::UnclosedQuote:
      return std::string(kOpenQuote) + ".";
    case ReadError::Cause::TooLong:
      return "hay un campo o una línea de más de 1 MB: no es un fichero de lote.";
    case ReadError::Cause::TooLarge:
      return "el fichero ocupa más de 64 MB: no es un fichero de lote.";
    case ReadError::Cause::NotAFile:
      return "no es un fichero sino " + kindText(error.fileKind()) + ".";
    case ReadError::Cause::Io:
      break;
  }
  return "error de lectura del fichero.";
}

std::string exportCause(const std::string& file, int block, const ReadError& error) {
  const std::string theFile = "El fichero de exportación " + file;
  if (block == 0) {
    switch (error.cause()) {
      case ReadError::Cause::CannotOpen:
        return "No se puede abrir el fichero de exportación " + file + ".";
      case ReadError::Cause::EndOfFile:
        return theFile + " está vacío.";
      case ReadError::Cause::Overflow:
        return theFile + " tiene más de 32767 líneas de muestra.";
      case ReadError::Cause::NotText:
        return theFile + " " + std::string(kNulBytes) + ".";
      case ReadError::Cause::TooLong:
        return theFile + " tiene una línea de más de 1 MB.";
      case ReadError::Cause::TooLarge:
        return theFile + " ocupa más de 64 MB.";
      case ReadError::Cause::NotAFile:
        return theFile + " no es un fichero sino " + kindText(error.fileKind()) + ".";
      default:
        return "Error de lectura en el fichero de exportación " + file + ".";
    }
  }
  const std::string sample = "Fichero de exportación " + file + ", muestra " + number(block) + ": ";
  switch (error.cause()) {
    case ReadError::Cause::EndOfFile:
      return sample + "el fichero termina dentro de la muestra (faltan campos).";
    case ReadError::Cause::OutOfRange:
      return sample + "el número de orden \"" + in(error.subject()) +
             "\" no es un número entre 1 y 254.";
    case ReadError::Cause::Overflow:
      return sample + "hay un valor demasiado grande.";
    case ReadError::Cause::UnclosedQuote:
      return sample + std::string(kOpenQuote) + ".";
    case ReadError::Cause::TooLong:
      return sample + "hay un campo de más de 1 MB.";
    case ReadError::Cause::NotText:
      return sample + "el fichero " + std::string(kNulBytes) + ".";
    default:
      return sample + "error de lectura del fichero.";
  }
}

}  // namespace

MessageRequest lotUnreadable(std::string_view fileName, std::int16_t nearOrderNumber,
                             const ReadError& error) {
  return lotFailure(fileName, nearOrderNumber, lotCause(error, nearOrderNumber));
}

MessageRequest lotLayoutUnknown(std::string_view fileName, std::int16_t nearOrderNumber,
                                const LotFormatError& error) {
  const std::string found = error.separatorFound() == '\0'
                                ? "la línea 2, la cabecera del lote, no tiene separadores de campos"
                                : "la línea 2, la cabecera del lote, tiene " +
                                      number(error.fields()) + " campos separados por " +
                                      separatorName(error.separatorFound());
  return lotFailure(
      fileName, nearOrderNumber,
      found +
          ", y un lote tiene 9 separados por comas (,) o por punto y coma (;). Guárdelo "
          "desde la hoja de cálculo como «CSV (delimitado por comas)» o «Texto CSV» con "
          "separador de campos «,» o «;».");
}

MessageRequest lotWithoutExtension(std::string_view fileName, std::int16_t nearOrderNumber) {
  return lotFailure(fileName, nearOrderNumber,
                    "el nombre del fichero no tiene extensión (falta el punto).");
}

MessageRequest exportUnreadable(std::string_view fileName, int block, const ReadError& error) {
  return {out(exportCause(in(fileName), block, error)), "ERROR EN EXPORT", MessageButtons::Ok,
          MessageIcon::Error};
}

MessageRequest repeatedOrderNumber(std::string_view orderNumber) {
  return perSample({"Muestras con el mismo numero de orden" + std::string(orderNumber), "ERROR",
                    MessageButtons::Ok, MessageIcon::Warning});
}

std::string repeatedOrderNumberReason(std::string_view orderNumber) {
  return out("Otra muestra de la exportación tiene el mismo número de orden, " + in(orderNumber) +
             ".");
}

MessageRequest lotLooksLikeExport(std::string_view fileName) {
  return {out(in(fileName) +
              " parece una exportación del analizador láser (tiene líneas de muestra de 228 "
              "campos) y no un lote: no se ha leído ninguna muestra. Se esperaba el fichero del "
              "lote (CSV guardado desde la hoja de cálculo, con la cabecera del lote en la línea "
              "2). La exportación se elige con el botón de exportación."),
          "ERROR EN CSV", MessageButtons::Ok, MessageIcon::Error};
}

MessageRequest exportLooksLikeLot(std::string_view fileName) {
  return {out(in(fileName) +
              " parece un fichero de lote (su línea 2 es la cabecera de un lote) y no una "
              "exportación: no tiene ninguna línea de muestra. Se esperaba la exportación del "
              "analizador láser (TXT o CSV, una línea de más de 300 caracteres por muestra). El "
              "lote se elige con el botón del lote."),
          "ERROR EN EXPORT", MessageButtons::Ok, MessageIcon::Error};
}

MessageRequest warningsHeldBack(int count) {
  const std::string more =
      count == 1 ? "Hay 1 aviso más, que no se muestra. La lista de ignoradas, en rojo, lo recoge"
                 : "Hay " + number(count) +
                       " avisos más, que no se muestran. La lista de ignoradas, en rojo, los "
                       "recoge todos";
  return {out(more + " con su motivo: deje el puntero sobre una muestra de la lista para leerlo."),
          out("MÁS AVISOS"), MessageButtons::Ok, MessageIcon::Warning};
}

std::string resultsNameMissing() {
  return out("Falta el nombre del fichero de resultados: escríbalo en «Fichero de salida».");
}

std::string resultsNameIsNoFile(std::string_view resultsName, FileKind kind) {
  return out("No se puede crear el fichero de resultados " + in(resultsName) + ": ese nombre es " +
             kindText(kind) + ".");
}

std::string resultsNameIsAnInput(std::string_view resultsName, InputFile input,
                                 std::string_view inputName) {
  return out("El fichero de resultados " + in(resultsName) + " es el fichero de " +
             inputKind(input) + " " + in(inputName) +
             ": los resultados lo borrarían. Elija otro nombre para el fichero de resultados.");
}

std::string inputGone(InputFile input, std::string_view inputName) {
  return out("El fichero de " + inputKind(input) + " " + in(inputName) +
             " ya no está o no se puede leer. Ábralo de nuevo con el botón " +
             (input == InputFile::Lot ? "del lote." : "de exportación."));
}

std::string inputChanged(InputFile input, std::string_view inputName) {
  return out("El fichero de " + inputKind(input) + " " + in(inputName) +
             " ha cambiado desde que se abrió. Ábralo de nuevo con el botón " +
             (input == InputFile::Lot ? "del lote." : "de exportación."));
}

MessageRequest runNotStarted(std::string_view refusal) {
  return {std::string(refusal), out("CÁLCULO NO INICIADO"), MessageButtons::Ok, MessageIcon::Error};
}

std::string lotNotChosen() {
  return out("Falta el fichero de lote: elíjalo con el botón del lote.");
}

std::string exportNotChosen() {
  return out(
      "Falta el fichero de exportación: elíjalo con el botón de exportación antes de pulsar "
      "«Cálculo».");
}

std::string resultsNameEndsInSeparator(std::string_view resultsName) {
  return out("No se puede crear el fichero de resultados " + in(resultsName) +
             ": el nombre termina en una barra, como el de una carpeta. Quite la barra del final "
             "o escriba detrás el nombre del fichero.");
}

MessageRequest replaceResults(std::string_view resultsName) {
  MessageRequest question{
      "El fichero " + std::string(resultsName) + out(" ya existe. ¿Desea reemplazarlo?"), "",
      MessageButtons::YesNo, MessageIcon::Warning};
  question.defaultNo = true;
  return question;
}

std::string notCalculatedItem(std::string_view sampleName, std::string_view orderText) {
  return std::string(sampleName) + out(" ¿") + std::string(orderText) + "?";
}

MessageRequest sampleNotCalculated(std::string_view sampleName, std::string_view orderText,
                                   std::string_view cause) {
  return perSample({out("La muestra " + in(sampleName) + " (número de orden " + in(orderText) +
                        ") no se ha calculado: " + in(cause) + "."),
                    out("MUESTRA NO CALCULADA"), MessageButtons::Ok, MessageIcon::Warning});
}

MessageRequest orderNumberProbablyWrong(std::string_view sampleName) {
  return perSample(
      {"Probablemente el Numero de Orden de " + std::string(sampleName) + " en Export es erroneo.",
       "", MessageButtons::Ok, MessageIcon::Warning});
}

std::string lotRowUnusable(std::int16_t orderNumber, const ReadError& error,
                           std::int16_t rowOrderNumber) {
  const std::string row = "la fila " + number(orderNumber) + " del fichero de lote ";
  switch (error.cause()) {
    case ReadError::Cause::EndOfFile:
      return out("el fichero de lote no tiene fila completa en la línea del número de orden " +
                 number(orderNumber));
    case ReadError::Cause::Overflow:
      return out(row + "tiene un número demasiado grande para su columna");
    case ReadError::Cause::OutOfRange:
      return out(row + "lleva el número de orden " + number(rowOrderNumber) + ", fuera de 1 a 254");
    case ReadError::Cause::UnclosedQuote:
      return out("en " + row + std::string(kOpenQuote));
    case ReadError::Cause::TooLong:
      return out(row + "tiene un campo de más de 1 MB");
    case ReadError::Cause::CannotOpen:
    case ReadError::Cause::Io:
    case ReadError::Cause::NotText:
    case ReadError::Cause::TooLarge:
    case ReadError::Cause::NotAFile:
      break;
  }
  return {};
}

std::string carbonateNotAPercentage(std::int16_t orderNumber, std::string_view carbonate) {
  return out("el carbonato \"" + in(carbonate) + "\" de la fila " + number(orderNumber) +
             " del fichero de lote no es un porcentaje");
}

namespace {

std::string stepText(ComputeStep step) {
  switch (step) {
    case ComputeStep::NetGravel:
      return "el peso de grava sin conchas";
    case ComputeStep::GravelWeight:
      return "el peso de grava";
    case ComputeStep::NetWeight:
      return "el peso sin conchas";
    case ComputeStep::LaserWeight:
      return "el peso de la fracción láser";
    case ComputeStep::ShellPercent:
      return "el porcentaje de bioclastos";
    case ComputeStep::LaserFraction:
      return "la fracción láser";
    case ComputeStep::ScaledLaserClasses:
      return "las clases del láser escaladas al peso sin conchas";
    case ComputeStep::GravelClasses:
      return "las clases de grava";
    case ComputeStep::ClassWeight:
      return "el peso de una clase";
    case ComputeStep::CumulativeCurve:
      return "la curva acumulada";
    case ComputeStep::CumulativeAtLimit:
      return "la curva acumulada en un límite de tamaño";
    case ComputeStep::SandPercent:
      return "el porcentaje de arena";
    case ComputeStep::SiltPercent:
      return "el porcentaje de limo";
    case ComputeStep::ClayPercent:
      return "el porcentaje de arcilla";
    case ComputeStep::Millimetres:
      return "el paso de µm a mm";
    case ComputeStep::PhiUnits:
      return "las unidades phi";
    case ComputeStep::ClassMidpoint:
      return "el punto medio de una clase";
    case ComputeStep::Mean:
      return "la media";
    case ComputeStep::CentralMoments:
      return "los momentos centrales";
    case ComputeStep::Sorting:
      return "la clasificación";
    case ComputeStep::Skewness:
      return "la asimetría";
    case ComputeStep::Kurtosis:
      return "la curtosis";
    case ComputeStep::GravelAndSand:
      return "la suma de grava y arena";
    case ComputeStep::SandLimit:
      return "ninguna clase de la distribución es menor de 63 µm";
    case ComputeStep::SiltLimit:
      return "ninguna clase de la distribución es menor de 4 µm";
  }
  return {};
}

std::string reasonText(ComputeReason reason) {
  switch (reason) {
    case ComputeReason::None:
      break;
    case ComputeReason::NoNetWeight:
      return "el peso sin conchas es 0 (las conchas pesan tanto como la muestra)";
    case ComputeReason::EqualNeighbourDiameters:
      return "dos clases vecinas con el mismo diámetro";
    case ComputeReason::ZeroDiameter:
      return "un diámetro es 0";
    case ComputeReason::NegativeDiameter:
      return "un diámetro es negativo";
    case ComputeReason::NegativeSumOfSquares:
      return "la suma de cuadrados es negativa (clases con peso negativo)";
    case ComputeReason::NoSorting:
      return "la clasificación es 0 (todo el peso en una clase)";
  }
  return {};
}

}  // namespace

std::string computationFailed(const ComputeFault& fault) {
  std::string text;
  switch (fault.kind()) {
    case ComputeFault::Kind::Invalid:
      text = "operación no válida al calcular " + stepText(fault.step());
      break;
    case ComputeFault::Kind::DivisionByZero:
      text = "división por cero al calcular " + stepText(fault.step());
      break;
    case ComputeFault::Kind::Overflow:
      text = "desbordamiento numérico al calcular " + stepText(fault.step());
      break;
    case ComputeFault::Kind::NoClassBelow:
      text = stepText(fault.step());
      break;
  }
  const std::string reason = reasonText(fault.reason());
  return out(reason.empty() ? text : text + ": " + reason);
}

std::string lotUnreadableInRun(std::string_view fileName, const ReadError& error) {
  const std::string theFile = "el fichero de lote " + in(fileName);
  if (error.cause() == ReadError::Cause::NotText) {
    return out("E" + theFile.substr(1) + " " + std::string(kNulBytes) + ".");
  }
  return out("Error de lectura en " + theFile + ".");
}

namespace {

// Why the system refused to create or write a file; place: the file or its folder.
std::string systemCause(int systemError, ResultsFileError::Place place) {
  const bool folder = place == ResultsFileError::Place::Folder;
  switch (systemError) {
    case ENOENT:
    case ENOTDIR:
      return "la carpeta no existe";
    case EACCES:
    case EPERM:
      return folder ? "no hay permiso para escribir en la carpeta"
                    : "no hay permiso para escribir en él";
    case EROFS:
      return folder ? "la carpeta está en un disco de solo lectura"
                    : "está en un disco de solo lectura";
    case EBUSY:  // Windows: another program holds the file open, as Excel does a CSV it shows
    case ETXTBSY:
      return "otro programa lo tiene abierto (ciérrelo y vuelva a intentarlo)";
    case ENOSPC:
#ifdef EDQUOT  // the user's disk quota, where the system has quotas
    case EDQUOT:
#endif
      return "el disco está lleno";
    case EFBIG:  // the file system's or the user's largest file
      return "el fichero ha alcanzado el tamaño máximo permitido";
    case EIO:
      return "el disco no responde (error de entrada/salida)";
    case EISDIR:
      return "ese nombre es una carpeta";
    case ENAMETOOLONG:
      return "el nombre es demasiado largo";
    case ENXIO:  // a named pipe that nobody reads
      return "ese nombre es una tubería con nombre";
    case ELOOP:
      return "la ruta lleva a un círculo de enlaces simbólicos";
    case EINVAL:  // Windows: a name with : * ? " < > | or ending in a dot or a blank
      return "el sistema no admite ese nombre de fichero";
    case EEXIST:  // every new name tried beside the file was taken
      return "no se ha podido crear un fichero nuevo en la carpeta";
    case EBADF:  // Windows: a name that opens something no file is written to
      return "el sistema no deja escribir en ese nombre";
    case EMFILE:
    case ENFILE:
      return "hay demasiados ficheros abiertos";
    case ENOMEM:
      return "no hay memoria suficiente";
    default:
      return "error del sistema " + number(systemError);
  }
}

}  // namespace

std::string fileFailureCause(const ResultsFileError& error) {
  switch (error.refusal()) {
    case ResultsFileError::Refusal::ReadOnly:
      return out(
          "el fichero es de solo lectura y no se reemplaza (quite esa protección o elija "
          "otro nombre)");
    case ResultsFileError::Refusal::DeviceName:
      return out(
          "Windows reserva ese nombre para un dispositivo (CON, PRN, AUX, NUL, COM1, "
          "LPT1...) y lo escrito no llegaría a ningún fichero (elija otro nombre)");
    case ResultsFileError::Refusal::None:
      break;
  }
  return out(systemCause(error.systemError(), error.place()));
}

std::string resultsUnwritable(std::string_view resultsName, const ResultsFileError& error) {
  const bool creating = error.stage() == ResultsFileError::Stage::Create;
  return out((creating ? "No se puede crear el fichero de resultados "
                       : "No se puede escribir en el fichero de resultados ") +
             in(resultsName) + ": " + in(fileFailureCause(error)) + ".");
}

namespace {

std::string whereInterrupted(int record, int recordCount) {
  return record == 0 ? "antes de la primera muestra"
                     : "en la muestra " + number(record) + " de " + number(recordCount);
}

}  // namespace

MessageRequest runInterrupted(int record, int recordCount, std::string_view failure,
                              ResultsKept kept, std::string_view resultsName) {
  const std::string results = in(resultsName);
  std::string keptText;
  switch (kept) {
    case ResultsKept::None:
      keptText = "No se ha escrito ningún fichero de resultados.";
      break;
    case ResultsKept::Empty:
      keptText = "El fichero de resultados " + results + " se ha creado, pero sin ninguna muestra.";
      break;
    case ResultsKept::Samples:
      keptText = "El fichero de resultados " + results + " conserva las muestras ya escritas.";
      break;
  }
  return {out("El cálculo se ha interrumpido " + whereInterrupted(record, recordCount) + ".\n\n" +
              in(failure) + "\n\n" + keptText),
          out("CÁLCULO INTERRUMPIDO"), MessageButtons::Ok, MessageIcon::Error};
}

std::string runInterruptedStatus(int record, int recordCount) {
  return out("Cálculo interrumpido " + whereInterrupted(record, recordCount));
}

std::string resultsCreatedStatus(std::string_view resultsName) {
  return std::string(resultsName) + " HA SIDO CREADO.";
}

std::string noMatchingSamplesStatus() {
  return "Sin muestras coincidentes";
}

MessageRequest noRecordOfTheLot(std::string_view lotName, std::string_view exportName,
                                const std::vector<std::string>& exportLots) {
  constexpr std::size_t kLotsNamed = 10;
  const std::string lots = exportLots.size() == 1
                               ? "todas son del lote " + namedList(exportLots, kLotsNamed)
                               : "son de los lotes " + namedList(exportLots, kLotsNamed);
  return {out("Ninguna muestra del fichero de exportación " + in(exportName) + " es del lote «" +
              in(lotName) + "»: " + lots +
              ".\n\n¿Es la exportación de otro lote, o se ha cambiado el nombre del fichero "
              "de lote? El lote se llama como su fichero, sin la extensión."),
          out("SIN MUESTRAS DEL LOTE"), MessageButtons::Ok, MessageIcon::Warning};
}

std::string unreachedSamplesTip(const std::vector<std::string>& samples) {
  constexpr std::size_t kSamplesNamed = 20;
  if (samples.empty()) {
    return {};
  }
  std::string tip = samples.size() == 1
                        ? "Una muestra del lote no está en la exportación con su número de "
                          "orden y su nombre:"
                        : number(static_cast<int>(samples.size())) +
                              " muestras del lote no están en la exportación con su número de "
                              "orden y su nombre:";
  const std::size_t named = std::min(samples.size(), kSamplesNamed);
  for (std::size_t i = 0; i < named; ++i) {
    tip += "\n" + in(samples[i]);
  }
  if (named < samples.size()) {
    tip += "\ny " + number(static_cast<int>(samples.size() - named)) + " más.";
  }
  return out(tip);
}

MessageRequest finishedQuestion() {
  return {out("¿Has terminado?"), "Vas a salir", MessageButtons::YesNo, MessageIcon::None};
}

std::string reportMenuItem() {
  return out("Crear informe PDF…");
}

std::string saveChartMenuItem() {
  return out("Guardar gráfico como imagen…");
}

std::string ternaryMenuItem() {
  return out("Diagrama ternario");
}

std::string graphMenuHint() {
  return out(
      "Clic derecho: informe PDF, guardar el gráfico como imagen, diagrama ternario, mapa de "
      "muestras");
}

std::string saveChartTitle() {
  return out("Guardar gráfico como imagen");
}

std::string chartImageFilter() {
  return "Imagen PNG (*.png)|*.png|Imagen SVG (*.svg)|*.svg";
}

std::string chartSizeTitle() {
  return out("Tamaño de la imagen");
}

std::string chartWidthLabel() {
  return out("Ancho (píxeles):");
}

std::string chartHeightLabel() {
  return out("Alto (píxeles):");
}

MessageRequest replaceChartImage(std::string_view fileName) {
  // The words of the results file's question: the same decision, the same default.
  return replaceResults(fileName);
}

MessageRequest chartImageUnwritable(std::string_view fileName, std::string_view cause) {
  std::string prompt = out("No se ha podido guardar el gráfico en ") + std::string(fileName) + ".";
  if (!cause.empty()) {
    prompt += "\n\n" + std::string(cause);
  }
  return {prompt, out("ERROR AL GUARDAR EL GRÁFICO"), MessageButtons::Ok, MessageIcon::Error};
}

std::string chartImageTooLarge() {
  return out("no hay memoria para una imagen de ese tamaño");
}

std::string chartImageTitle(std::string_view lotName, std::string_view resultsFile) {
  return out("Curvas granulométricas · lote ") + std::string(lotName) + out(" · ") +
         std::string(resultsFile);
}

std::string chartImageHighlighted(std::string_view sampleName) {
  return out("Curva resaltada: ") + std::string(sampleName);
}

std::string chartImageNoLegend(int curves) {
  return std::to_string(curves) +
         out(" curvas, demasiadas para una leyenda: cada color se repite cada 10 muestras; "
             "pase el puntero por una curva en la ventana para ver su nombre.");
}

std::string graphDiameterAxis() {
  return out("Diámetro");
}

std::string graphWeightAxis() {
  return out("Peso (%)");
}

std::string ternaryTitle() {
  return out("Diagrama ternario");
}

std::string shepardCornerName(int corner) {
  static constexpr std::array<std::string_view, 3> kCorners = {"Arcilla", "Arena", "Limo"};
  if (corner < 0 || corner >= static_cast<int>(kCorners.size())) {
    return {};
  }
  return out(kCorners[static_cast<std::size_t>(corner)]);
}

std::string ternaryPointTip(std::string_view sampleName, int shepardCode) {
  const std::string className = shepardClassName(shepardCode);
  return className.empty() ? std::string(sampleName)
                           : std::string(sampleName) + " (" + className + ")";
}

std::string lotViewMenuItem() {
  return out("Mapa de muestras");
}

std::string lotWindowTitle(std::string_view lotName) {
  return lotName.empty() ? out("Vistas del lote") : out("Vistas del lote ") + std::string(lotName);
}

std::string colouringLabel() {
  return out("&Colorear por:");
}

std::vector<std::string> colouringNames() {
  return {out("Clase de Shepard"), out("Grupo de Folk"), out("Media de Folk y Ward")};
}

std::string backgroundLayerButton() {
  return out("Capa de &fondo…");
}

std::string removeBackgroundButton() {
  return out("&Quitar capa");
}

std::string saveViewButton() {
  return out("&Guardar imagen…");
}

std::string coreChoiceLabel() {
  return out("&Testigo:");
}

std::string backgroundLayerTitle() {
  return out("Capa de fondo del mapa");
}

std::string backgroundLayerFilter() {
  return "Capas (*.gpkg *.shp *.geojson *.json)|*.gpkg;*.shp;*.geojson;*.json|"
         "GeoPackage (*.gpkg)|*.gpkg|Shapefile (*.shp)|*.shp|GeoJSON (*.geojson *.json)|"
         "*.geojson;*.json";
}

MessageRequest backgroundLayerUnreadable(std::string_view cause) {
  return {out(std::string(cause) + "\n\nEl mapa se dibuja sin capa de fondo."),
          out("CAPA DE FONDO"), MessageButtons::Ok, MessageIcon::Warning};
}

std::string rememberedLayerGone(std::string_view layer) {
  return out("La capa de fondo de la última vez, ") + std::string(layer) +
         out(", ya no está: el mapa se dibuja sin ella.");
}

std::string rememberedLayerUnreadable(std::string_view cause) {
  return out(std::string(cause) + " El mapa se dibuja sin la capa de fondo de la última vez.");
}

std::string lotPointTip(std::string_view label, std::string_view sampleName,
                        std::string_view className) {
  std::string tip = std::string(label) + out(" · ") + std::string(sampleName);
  return className.empty() ? tip : tip + " (" + std::string(className) + ")";
}

std::string lotViewUnreadable(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& problem : problems) {
    text += (text.empty() ? "" : "\n") + problem;
  }
  return out(text);
}

std::string lotViewUnlinked(std::string_view resultsFile) {
  return "El fichero de resultados " + std::string(resultsFile) +
         out(" ha cambiado desde el cálculo: sus muestras ya no son las de la lista, y elegir una "
             "en las vistas no la elige en la lista.");
}

std::string coreChoice(std::string_view lotName, std::string_view firstLabel, int levels) {
  return out("Lote ") + std::string(lotName) + out(", estación de la muestra ") +
         std::string(firstLabel) + " (" + number(levels) + out(" niveles)");
}

std::string sampleInNoCore(std::string_view sampleName) {
  return out("La muestra ") + std::string(sampleName) +
         out(" no forma parte de ningún testigo: no hay otras muestras a distinta profundidad en "
             "su estación.");
}

std::string lotHasNoCores() {
  return out("El lote no tiene testigos: ninguna estación tiene muestras a varias profundidades.");
}

std::vector<HelpSection> helpMoreSections() {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kSections{{
      {"MENÚ DEL BOTÓN DERECHO",
       "Tras un cálculo, el botón derecho del ratón sobre el gráfico o sobre la lista de "
       "muestras calculadas (o la tecla de menú, o Mayús+F10) ofrece el informe PDF, guardar "
       "el gráfico como imagen, el diagrama ternario y el mapa de muestras, y siempre la "
       "ventana Archivo, con las muestras de todas las ejecuciones. Al seleccionar una "
       "muestra en la lista se resaltan su curva y sus puntos; el puntero sobre una curva o un "
       "punto del diagrama la selecciona, y también un clic en un punto del mapa."},
      {"INFORME PDF",
       "\"Crear informe PDF…\" escribe junto al fichero de salida el informe del cálculo: "
       "la tabla resumen de las muestras, los triángulos de Shepard y de Folk, las curvas y "
       "dos páginas por muestra con sus gráficos, estadísticos y clases. Nombra también las "
       "muestras del lote que no están en el fichero Export."},
      {"DIAGRAMA TERNARIO",
       "El triángulo de Shepard (arcilla arriba, arena con su grava abajo a la izquierda, "
       "limo abajo a la derecha) con cada muestra calculada como un punto del color de su "
       "curva. El puntero sobre un punto nombra la muestra y su clase; fuera de ellos, el "
       "campo."},
      {"GUARDAR EL GRÁFICO",
       "\"Guardar gráfico como imagen…\" guarda el gráfico en PNG o SVG con el ancho y el "
       "alto en píxeles que se elijan. Un fichero que ya existe solo se reemplaza si se "
       "confirma."},
      {"TECLADO Y VENTANA",
       "Alt+L abre el lote, Alt+E el fichero Export, Alt+C hace el cálculo y Ctrl+Mayús+A "
       "abre el archivo; Intro pulsa el "
       "botón que tiene el foco. La ventana puede agrandarse o maximizarse para ver nombres "
       "largos y más muestras."},
  }};
  std::vector<HelpSection> sections;
  for (const auto& [heading, text] : kSections) {
    sections.push_back({out(heading), out(text)});
  }
  return sections;
}

std::string helpMoreButton() {
  return out("Más ayuda…");
}

std::string helpBackButton() {
  return out("Volver");
}

std::string_view batchUsage() {
  return "Uso: granomet-batch [-o FICHERO_RESULTADOS] [--archivo FICHERO | --sin-archivo]\n"
         "                      FICHERO_LOTE FICHERO_EXPORT\n"
         "\n"
         "Pulsa los botones de la ventana en orden: lote, exportación y cálculo. El fichero\n"
         "de resultados se escribe en la carpeta del fichero de exportación con el nombre\n"
         "propuesto, o en FICHERO_RESULTADOS (relativo a la carpeta actual), que se\n"
         "reemplaza si existe. Cada mensaje sale por la salida de errores como\n"
         "\"TÍTULO: TEXTO\" y se contesta con su botón por defecto. Al final se\n"
         "escriben las muestras calculadas e ignoradas y la línea de estado.\n"
         "\n"
         "Un cálculo completo se guarda en el archivo de ejecuciones (granomet-archivo):\n"
         "$XDG_DATA_HOME/granomet/archivo.gpkg (~/.local/share/granomet/archivo.gpkg), o\n"
         "FICHERO con --archivo; --sin-archivo no lo guarda. Una línea más lo dice. Si no\n"
         "se puede guardar, el fichero de resultados queda escrito igualmente. La versión\n"
         "para Windows no tiene archivo.\n"
         "\n"
         "La marca decimal sale de la configuración regional del usuario (en Linux, de\n"
         "LC_ALL, LC_NUMERIC o LANG).\n"
         "Salida: 0 si el cálculo llegó al final (y se archivó), 1 si falló una lectura,\n"
         "el cálculo o el archivo, 2 si los argumentos no son válidos.\n";
}

std::string_view batchResultsNameMissing() {
  return "granomet-batch: falta el nombre del fichero de resultados detrás de -o.\n\n";
}

namespace {

template <typename Term, std::size_t N>
std::string termName(Term term, const std::array<std::string_view, N>& names) {
  return out(names.at(static_cast<std::size_t>(term)));
}

}  // namespace

std::string meanSizeTermName(MeanSizeTerm term) {
  static constexpr std::array<std::string_view, 17> kNames = {
      "Bloques",    "Cantos",         "Grava muy gruesa", "Grava gruesa", "Grava media",
      "Grava fina", "Grava muy fina", "Arena muy gruesa", "Arena gruesa", "Arena media",
      "Arena fina", "Arena muy fina", "Limo muy grueso",  "Limo grueso",  "Limo medio",
      "Limo fino",  "Arcilla"};
  return termName(term, kNames);
}

std::string sortingTermName(SortingTerm term) {
  static constexpr std::array<std::string_view, 7> kNames = {
      "Muy bien clasificado",          "Bien clasificado", "Moderadamente bien clasificado",
      "Moderadamente clasificado",     "Mal clasificado",  "Muy mal clasificado",
      "Extremadamente mal clasificado"};
  return termName(term, kNames);
}

std::string skewnessTermName(SkewnessTerm term) {
  static constexpr std::array<std::string_view, 5> kNames = {
      "Muy asimétrica hacia gruesos", "Asimétrica hacia gruesos", "Simétrica",
      "Asimétrica hacia finos", "Muy asimétrica hacia finos"};
  return termName(term, kNames);
}

std::string kurtosisTermName(KurtosisTerm term) {
  static constexpr std::array<std::string_view, 6> kNames = {
      "Muy platicúrtica", "Platicúrtica",     "Mesocúrtica",
      "Leptocúrtica",     "Muy leptocúrtica", "Extremadamente leptocúrtica"};
  return termName(term, kNames);
}

namespace {

// Folk's names are a noun and its modifiers, which agree with it: arena, arcilla
// and grava are feminine, limo and fango masculine.
struct Noun {
  std::string_view word;
  bool feminine;
};

Noun nounOf(MainComponent component) {
  static constexpr std::array<Noun, 5> kNouns = {
      {{"Grava", true}, {"Arena", true}, {"Fango", false}, {"Limo", false}, {"Arcilla", true}}};
  return kNouns.at(static_cast<std::size_t>(component));
}

std::string_view folkModifiers(FolkGroup group) {
  static constexpr std::array<std::string_view, 21> kModifiers = {"",
                                                                  "arenosa",
                                                                  "arenosa fangosa",
                                                                  "fangosa",
                                                                  "gravosa",
                                                                  "fangosa gravosa",
                                                                  "gravoso",
                                                                  "ligeramente gravosa",
                                                                  "fangosa ligeramente gravosa",
                                                                  "arenoso ligeramente gravoso",
                                                                  "ligeramente gravoso",
                                                                  "",
                                                                  "limosa",
                                                                  "fangosa",
                                                                  "arcillosa",
                                                                  "arenoso",
                                                                  "arenoso",
                                                                  "arenosa",
                                                                  "",
                                                                  "",
                                                                  ""};
  return kModifiers.at(static_cast<std::size_t>(group));
}

std::string withModifiers(std::string_view noun, FolkGroup group) {
  const std::string_view modifiers = folkModifiers(group);
  return std::string(noun) + (modifiers.empty() ? "" : " ") + std::string(modifiers);
}

// The sorting as it follows a noun of that gender: "moderadamente clasificada".
std::string sortingAfterNoun(SortingTerm term, bool feminine) {
  static constexpr std::array<std::string_view, 7> kAdverbs = {
      "muy bien", "bien",    "moderadamente bien", "moderadamente",
      "mal",      "muy mal", "extremadamente mal"};
  return std::string(kAdverbs.at(static_cast<std::size_t>(term))) +
         (feminine ? " clasificada" : " clasificado");
}

}  // namespace

std::string folkGroupName(FolkGroup group) {
  return out(withModifiers(nounOf(mainComponentOf(group)).word, group));
}

std::string sedimentName(const SedimentName& name) {
  const Noun noun = nounOf(mainComponentOf(name.group));
  // The mean size's own words are the noun with its grade: "Arena media".
  std::string text =
      withModifiers(name.size ? in(meanSizeTermName(*name.size)) : noun.word, name.group);
  if (name.sorting) {
    text += ", " + sortingAfterNoun(*name.sorting, noun.feminine);
  }
  return out(text);
}

std::string modalityName(Modality modality) {
  static constexpr std::array<std::string_view, 4> kNames = {"Unimodal", "Bimodal", "Trimodal",
                                                             "Polimodal"};
  return termName(modality, kNames);
}

std::string gravelGradeName(WentworthGrade finest, WentworthGrade coarsest) {
  static constexpr std::array<std::string_view, 5> kGrades = {"arena", "gránulos", "guijarros",
                                                              "cantos", "bloques"};
  std::string name;
  for (auto g = static_cast<std::size_t>(finest); g <= static_cast<std::size_t>(coarsest); ++g) {
    name += name.empty() ? "" : g == static_cast<std::size_t>(coarsest) ? " y " : ", ";
    name += kGrades.at(g);
  }
  // Every grade's word begins with a plain ASCII letter.
  if (!name.empty()) {
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  }
  return out(name);
}

std::string shepardClassName(int code) {
  static constexpr std::array<std::string_view, 10> kNames = {
      "Arcilla",           "Arena",           "Limo",
      "Arena limosa",      "Limo arenoso",    "Limo arcilloso",
      "Arcilla limosa",    "Arcilla arenosa", "Arena arcillosa",
      "Arena-limo-arcilla"};
  if (code < 1 || code > static_cast<int>(kNames.size())) {
    return {};
  }
  return out(kNames[static_cast<std::size_t>(code - 1)]);
}

std::string qualityWarning(const QualityWarning& warning, std::string_view diameter,
                           std::string_view figure, char decimalMark) {
  const auto decimals = [decimalMark](double value) {
    return patternNumber(value, kPatternThreeDecimals, decimalMark);
  };
  using Kind = QualityWarning::Kind;
  switch (warning.kind) {
    case Kind::NegativeWeight:
      return out("Peso negativo en la clase de " + in(diameter) + " µm: " + in(figure) + " %");
    case Kind::ClassSum:
      return out("Las clases suman " + decimals(warning.value) + " %, no 100 ± 0" + decimalMark +
                 "5");
    case Kind::NoWeight:
      return out("Clases sin peso: sin percentiles, fracciones ni moda");
    case Kind::NotMonotonic:
      return out("Curva acumulada no monótona: sin percentiles");
    case Kind::PercentileMissing: {
      std::string list;
      for (int percentile : warning.percentiles) {
        list += (list.empty() ? "" : ", ") + number(percentile);
      }
      return out("La curva acumulada empieza en el " + decimals(warning.value) +
                 " %: sin los percentiles " + list);
    }
    case Kind::ModeUnbounded:
      return out("Moda no calculable: la clase más pesada es la de " + in(diameter) +
                 " µm, sin límite superior");
    case Kind::NoFolkGroup:
      return out(
          "Porcentajes de grava, arena, limo o arcilla fuera de 0 a 100: sin grupo textural");
    case Kind::FractionsMissing:
      return out("Sin clases por debajo de " + number(static_cast<int>(warning.value)) +
                 " µm: sin las fracciones que lo usan");
    case Kind::LaserOnlyGravel:
      return out("grava solo del láser: " + in(figure) + " %");
  }
  return {};
}

std::string_view informeUsage() {
  return "Uso: granomet-informe [-o TABLA.csv] [-p INFORME.pdf [--fondo CAPA]] [-g MUESTRAS.gpkg]\n"
         "                        RESULTADOS.csv...\n"
         "\n"
         "Lee uno o varios ficheros de resultados de Granomet y escribe una tabla con los\n"
         "estadísticos de cada muestra: medidas de Folk y Ward con sus términos, momentos\n"
         "geométricos, percentiles y moda, fracciones de arena y limo, grupo textural de\n"
         "Folk (1954), nombre del sedimento y modas. La tabla se llama como el primer\n"
         "fichero de resultados con \"_estadisticos\" antes de \".csv\", en su misma\n"
         "carpeta, o TABLA.csv (relativo a la carpeta actual); si ya existe, se reemplaza.\n"
         "Un fichero que no es de resultados se indica por la salida de errores y los\n"
         "demás se procesan igualmente.\n"
         "\n"
         "Con -p escribe además el informe en PDF (A4): resumen de las muestras, triángulos\n"
         "de Shepard y de Folk, curvas de todas las muestras, vistas del lote y una página\n"
         "por muestra. Con --fondo, la capa CAPA (GeoPackage, shapefile o GeoJSON; la\n"
         "primera de sus capas con líneas o polígonos) se dibuja en gris bajo el mapa de\n"
         "muestras. Con -g escribe las muestras como capa de puntos \"muestras\" de un\n"
         "GeoPackage (WGS 84, EPSG:4326) para QGIS, con las columnas de la tabla como\n"
         "atributos; las muestras sin posición quedan sin punto. Con -p o -g y sin -o no\n"
         "se escribe la tabla. Un fichero que ya existe se reemplaza.\n"
         "\n"
         "La marca decimal sale de la configuración regional del usuario (en Linux, de\n"
         "LC_ALL, LC_NUMERIC o LANG).\n"
         "Salida: 0 si se leyeron todos los ficheros y se escribió lo pedido, 1 si no se\n"
         "pudo leer alguno (también la capa de fondo: el informe se dibuja sin ella) o\n"
         "escribir la tabla, el informe o la capa, 2 si los argumentos no son válidos\n"
         "(también si dos de -o, -p y -g nombran el mismo fichero).\n";
}

std::string_view informeTableNameMissing() {
  return "granomet-informe: falta el nombre de la tabla detrás de -o.\n\n";
}

std::string_view informeReportNameMissing() {
  return "granomet-informe: falta el nombre del informe detrás de -p.\n\n";
}

std::string_view informeLayerNameMissing() {
  return "granomet-informe: falta el nombre de la capa de muestras detrás de -g.\n\n";
}

std::string_view informeBackgroundNameMissing() {
  return "granomet-informe: falta el nombre de la capa de fondo detrás de --fondo.\n\n";
}

std::string_view informeBackgroundWithoutReport() {
  return "granomet-informe: --fondo dibuja una capa bajo el mapa del informe: pida también el "
         "informe con -p.\n\n";
}

std::string informeWithoutLayers() {
  return "esta versión de granomet-informe no lee ni escribe capas de mapa (-g, --fondo): se "
         "construyó sin GDAL, que no existe para Windows. La tabla de estadísticos sí (-o); la "
         "capa de muestras la escribe la versión para Linux.";
}

std::string informeWithoutPdf() {
  return "esta versión de granomet-informe no escribe informes PDF (se construyó sin Qt); "
         "la tabla de estadísticos sí (-o).";
}

std::string informePdfProgramMissing(std::string_view programName) {
  return "no se pudo arrancar " + std::string(programName) +
         ", el programa que dibuja el informe PDF; la tabla no depende de él. Reinstale "
         "granomet.";
}

std::string informePdfProgramStopped(std::string_view programName, int signal) {
  return std::string(programName) + " se detuvo (señal " + std::to_string(signal) +
         ") antes de acabar el informe PDF; el informe no se escribió.";
}

std::string informeOutputsMeet(std::string_view outputName) {
  return "-o y -p nombran el mismo fichero, " + std::string(outputName) +
         ": el informe sustituiría a la tabla. Dé a cada uno su propio nombre.";
}

std::string informeLayerMeets(std::string_view option, std::string_view layerName) {
  return "-g y " + std::string(option) + " nombran el mismo fichero, " + std::string(layerName) +
         ": la capa de muestras lo sustituiría. Dé a cada uno su propio nombre.";
}

std::string resultsFileUnreadable(std::string_view fileName, const ReadError& error) {
  std::string cause;
  switch (error.cause()) {
    case ReadError::Cause::CannotOpen:
      cause = "no se puede abrir el fichero";
      break;
    case ReadError::Cause::NotAFile:
      cause = "no es un fichero sino " + kindText(error.fileKind());
      break;
    case ReadError::Cause::TooLarge:
      cause = "el fichero ocupa más de 64 MB: no es un fichero de resultados";
      break;
    default:
      cause = "error de lectura del fichero";
      break;
  }
  return std::string(fileName) + ": " + cause + ".";
}

std::string resultsFileMalformed(std::string_view fileName, const ResultsFormatError& error) {
  std::string where = std::string(fileName) + ", línea " + number(error.line());
  if (error.field() > 0) {
    where += ", campo " + number(error.field());
  }
  std::string cause;
  using Cause = ResultsFormatError::Cause;
  switch (error.cause()) {
    case Cause::NoHeader:
      cause =
          "no es un fichero de resultados de Granomet: la primera línea no es su cabecera, "
          "que empieza por \"Lot-Num\"";
      break;
    case Cause::FieldCount:
      cause = "tiene " + number(error.fieldCount()) + " campos, y una línea de resultados tiene " +
              number(kResultsFields);
      break;
    case Cause::NotANumber:
      cause = "\"" + in(error.subject()) + "\" no es un número";
      break;
    case Cause::Diameters:
      cause = "el diámetro de clase \"" + in(error.subject()) +
              "\" no es positivo o no es menor que el anterior: no es un fichero de resultados";
      break;
    case Cause::NotText:
      cause = joined("el fichero ", kNulBytes);
      break;
    case Cause::UnclosedQuote:
      cause = std::string(kOpenQuote);
      break;
  }
  return where + ": " + cause + ".";
}

namespace {

// "la tabla", "el informe", "la capa": what is being written, as a sentence names it.
std::string outputNoun(Output output) {
  switch (output) {
    case Output::Table:
      return "la tabla";
    case Output::Report:
      return "el informe";
    case Output::Layer:
      return "la capa de muestras";
  }
  return {};
}

std::string capitalised(std::string text) {
  text.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
  return text;
}

}  // namespace

std::string outputIsAResultsFile(Output output, std::string_view outputName) {
  const std::string noun = outputNoun(output);
  return capitalised(noun) + " " + std::string(outputName) +
         " es uno de los ficheros de resultados: " + noun + " lo borraría. Elija otro nombre" +
         (output == Output::Table   ? " con -o."
          : output == Output::Layer ? " con -g."
                                    : ".");
}

std::string outputIsNoFile(Output output, std::string_view outputName, FileKind kind) {
  return "No se puede crear " + outputNoun(output) + " " + std::string(outputName) +
         ": ese nombre es " + kindText(kind) + ".";
}

std::string outputUnwritable(Output output, std::string_view outputName,
                             const ResultsFileError& error) {
  return "No se puede escribir " + outputNoun(output) + " " + std::string(outputName) + ": " +
         in(fileFailureCause(error)) + ". Si ya existía, no ha cambiado.";
}

std::string noResultsRead(Output output) {
  return "No se ha podido leer ningún fichero de resultados: no se escribe " + outputNoun(output) +
         ".";
}

namespace {

std::string samplesOfFiles(int samples, int files) {
  return number(samples) + (samples == 1 ? " muestra" : " muestras") + " de " + number(files) +
         (files == 1 ? " fichero de resultados" : " ficheros de resultados");
}

}  // namespace

std::string tableWritten(std::string_view tableName, int samples, int files) {
  return "Tabla de estadísticos: " + std::string(tableName) + " (" +
         samplesOfFiles(samples, files) + ")";
}

std::string reportWritten(std::string_view reportName, int samples, int files) {
  return "Informe PDF: " + std::string(reportName) + " (" + samplesOfFiles(samples, files) + ")";
}

std::string outputNotMade(Output output, std::string_view outputName) {
  switch (output) {
    case Output::Table:
      return "No se ha podido componer la tabla " + std::string(outputName) + ".";
    case Output::Report:
      return "No se ha podido componer el informe " + std::string(outputName) +
             ": el sistema no ofrece lo que necesita el dibujo (tipos de letra, memoria). No se "
             "ha escrito nada.";
    case Output::Layer:
      return "No se ha podido componer la capa de muestras " + std::string(outputName) +
             ". Si ya existía, no ha cambiado.";
  }
  return {};
}

std::string layerWritten(std::string_view layerName, int samples, int files, int withoutPosition) {
  std::string text =
      "Capa de muestras: " + std::string(layerName) + " (" + samplesOfFiles(samples, files) + ")";
  if (withoutPosition > 0) {
    text += "; " + number(withoutPosition) +
            (withoutPosition == 1 ? " muestra sin posición, sin punto"
                                  : " muestras sin posición, sin punto");
  }
  return text;
}

std::string layerNotWritten(std::string_view layerName, std::string_view detail) {
  return "No se ha podido escribir la capa de muestras " + std::string(layerName) +
         (detail.empty() ? std::string() : " (GDAL: " + std::string(detail) + ")") +
         ". Si ya existía, no ha cambiado.";
}

std::string backgroundUnreadable(std::string_view fileName, BackgroundProblem problem,
                                 std::string_view detail) {
  std::string cause;
  switch (problem) {
    case BackgroundProblem::Missing:
      cause = "no existe";
      break;
    case BackgroundProblem::NotALayer:
      cause = "no es una capa GeoPackage, shapefile ni GeoJSON que se pueda abrir";
      break;
    case BackgroundProblem::NoLines:
      cause = "ninguna de sus capas tiene líneas ni polígonos (los puntos no se dibujan)";
      break;
    case BackgroundProblem::NoReferenceSystem:
      cause =
          "no dice su sistema de referencia y sus coordenadas no son grados de longitud y "
          "latitud; guárdela con su sistema de referencia (en QGIS, Exportar)";
      break;
    case BackgroundProblem::NotConvertible:
      cause = "su sistema de referencia no se puede pasar a longitud y latitud (WGS 84)";
      break;
    case BackgroundProblem::Unreadable:
      cause = "no se pudo leer entera";
      break;
  }
  return "La capa de fondo " + std::string(fileName) + " no se puede dibujar: " + cause +
         (detail.empty() ? std::string() : " (GDAL: " + std::string(detail) + ")") + ".";
}

std::string reportWithoutBackground() {
  return "El informe se dibuja sin capa de fondo.";
}

MessageRequest reportMade(std::string_view reportName, int samples) {
  return {out("Se ha creado el informe PDF " + std::string(reportName) + " (" + number(samples) +
              (samples == 1 ? " muestra)." : " muestras).")),
          out("INFORME PDF"), MessageButtons::Ok, MessageIcon::None};
}

MessageRequest reportFailed(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& problem : problems) {
    text += (text.empty() ? "" : "\n") + problem;
  }
  return {out(text), out("INFORME PDF"), MessageButtons::Ok, MessageIcon::Error};
}

MessageRequest reportWithoutRun() {
  return {out("Todavía no hay informe que crear: el informe se hace con el fichero de resultados "
              "del último cálculo."),
          out("INFORME PDF"), MessageButtons::Ok, MessageIcon::Warning};
}

std::string saveReportTitle() {
  return out("Crear informe PDF");
}

std::string reportFilter() {
  return "Informe PDF (*.pdf)|*.pdf";
}

std::string reportProgress(int page, int pages) {
  return "Informe: página " + number(page) + " de " + number(pages);
}

std::string reportProgressLabel(int page, int pages) {
  return out(reportProgress(page, pages));
}

MessageRequest reportStopped(std::string_view reportName) {
  return {out("Informe PDF cancelado: no se ha escrito " + std::string(reportName) +
              " (si ya existía, no ha cambiado)."),
          out("INFORME PDF"), MessageButtons::Ok, MessageIcon::None};
}

std::string reportFontsMissing(const std::vector<std::string>& faces) {
  std::string names;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    names += (i == 0 ? "" : i + 1 == faces.size() ? " y " : ", ") + faces[i];
  }
  return std::string(faces.size() == 1 ? "No se puede crear el informe PDF: falta la fuente "
                                       : "No se puede crear el informe PDF: faltan las fuentes ") +
         names +
         " (o Arial) con todas las letras del informe (á, ñ, µ, Ø, φ, ·, –, —, …), y sin ellas "
         "el texto saldría en cuadros. Instale el paquete fonts-liberation (sudo apt-get install "
         "fonts-liberation) y vuelva a intentarlo. No se ha escrito nada.";
}

std::string reportText(ReportText text) {
  using T = ReportText;
  switch (text) {
    case T::Title:
      return out("Informe granulométrico");
    case T::SummaryTitle:
      return out("Resumen de las muestras");
    case T::SummaryGoesOn:
      return out("Resumen de las muestras (continuación)");
    case T::Lot:
      return out("Lote");
    case T::Lots:
      return out("Lotes");
    case T::Date:
      return out("Fecha");
    case T::Samples:
      return out("Muestras");
    case T::ResultsFile:
      return out("Fichero de resultados");
    case T::ResultsFiles:
      return out("Ficheros de resultados");
    case T::Unreached:
      return out(
          "Muestras del lote que ningún registro del export alcanzó (no están en el "
          "informe):");
    case T::NoneUnreached:
      return out("Todas las muestras del lote tienen registro en el export.");
    case T::Number:
      return out("Nº");
    case T::Sample:
      return out("Muestra");
    case T::ShepardClass:
      return out("Clase de Shepard");
    case T::FolkCode:
      return out("Folk");
    case T::Gravel:
      return out("Grava");
    case T::Sand:
      return out("Arena");
    case T::Silt:
      return out("Limo");
    case T::Clay:
      return out("Arcilla");
    case T::Shells:
      return out("Bioclastos");
    case T::Mud:
      return out("Fango");
    case T::SandWithGravel:
      return out("Arena (y grava)");
    case T::FolkWardMean:
      return out("Media FW\n(µm)");
    case T::FolkWardSorting:
      return out("Clasificación\nFW (Ø)");
    case T::FrequencyCurves:
      return out("Curvas de frecuencia");
    case T::CumulativeCurves:
      return out("Curvas acumuladas");
    case T::DiameterAxis:
      return out("Diámetro (µm)");
    case T::WeightAxis:
      return out("Peso (%)");
    case T::FinerAxis:
      return out("Más fino (%)");
    case T::NoCurve:
      return out("Sin curva acumulada: las clases no suman un peso que leer.");
    case T::Unlabelled:
      return out(
          "Puntos sin sitio para su número (%1), con su muestra, su campo y su posición (%):");
    case T::UnlabelledGoesOn:
      return out(
          "Puntos sin sitio para su número (%1), con su muestra, su campo y su posición (%); la "
          "lista sigue en la página %2:");
    case T::UnlabelledElsewhere:
      return out(
          "Puntos sin sitio para su número (%1): su lista, con su muestra, su campo y su posición "
          "(%), empieza en la página %2.");
    case T::UnlabelledContinued:
      return out(
          "Puntos sin sitio para su número, con su muestra, su campo y su posición (%): "
          "continuación");
    case T::PointClass:
      return out("Clase");
    case T::PointGroup:
      return out("Grupo");
    case T::PageOf:
      return out("Página %1 de %2");
    case T::ShepardTriangle:
      return out("Clasificación de Shepard (1954): arena, limo y arcilla");
    case T::GravelSandMudTriangle:
      return out("Grupos texturales de Folk (1954): grava, arena y fango");
    case T::SandSiltClayTriangle:
      return out("Grupos texturales de Folk (1954): arena, limo y arcilla, muestras sin grava");
    case T::PointsLeftOut:
      return out("%1 muestras sin porcentajes válidos no se representan.");
    case T::GravellyLeftOut:
      return out("%1 muestras con grava (0,01 % o más) no se representan en este triángulo.");
    case T::SampleHeading:
      return out("Muestra %1: ");
    case T::SampleNamed:
      return out("%1 · %2");
    case T::SampleLot:
      return out("Nº en el lote: %1 · Fichero de resultados: %2");
    case T::Campaign:
      return out(" · Campaña: ");
    case T::Description:
      return out("Descripción visual: ");
    case T::SampleShepard:
      return out("Clase de Shepard (1954): ");
    case T::SampleFolk:
      return out("Grupo textural de Folk (1954): ");
    case T::NoFolkGroup:
      return out("sin grupo");
    case T::Composition:
      return out("Composición");
    case T::LabMoments:
      return out("Momentos");
    case T::Micrometres:
      return out("µm");
    case T::Phi:
      return out("Ø");
    case T::Geometric:
      return out("Geom.");
    case T::FolkWard:
      return out("Folk y Ward (1957)");
    case T::Term:
      return out("Término");
    case T::Mean:
      return out("Media");
    case T::Sorting:
      return out("Clasificación");
    case T::Skewness:
      return out("Asimetría");
    case T::Kurtosis:
      return out("Curtosis");
    case T::Percentiles:
      return out("Percentiles y modas");
    case T::Value:
      return out("Valor");
    case T::Mode:
      return out("Moda");
    case T::Modality:
      return out("Modalidad");
    case T::NumberedMode:
      return out("Moda %1");
    case T::Fractions:
      return out("Fracciones de Udden-Wentworth");
    case T::Fraction:
      return out("Fracción");
    case T::Warnings:
      return out("Avisos");
    case T::NoWarnings:
      return out("Ninguno.");
  }
  return {};
}

std::string sizeFractionName(int fraction) {
  static constexpr std::array<std::string_view, 9> kNames = {
      "Arena muy gruesa", "Arena gruesa", "Arena media", "Arena fina", "Arena muy fina",
      "Limo muy grueso",  "Limo grueso",  "Limo medio",  "Limo fino"};
  return out(kNames.at(static_cast<std::size_t>(fraction)));
}

std::string lotViewText(LotViewText text) {
  using T = LotViewText;
  switch (text) {
    case T::MapTitle:
      return out("Mapa de muestras");
    case T::BivariateTitle:
      return out("Diagramas bivariantes");
    case T::SummaryTitle:
      return out("Resumen del lote");
    case T::ProfileTitle:
      return out("Perfil en profundidad");
    case T::WithoutPosition:
      return out("Muestras sin posición");
    case T::North:
      return out("N");
    case T::South:
      return out("S");
    case T::East:
      return out("E");
    case T::West:
      return out("O");
    case T::NorthArrow:
      return out("N");
    case T::Metres:
      return out("m");
    case T::Kilometres:
      return out("km");
    case T::StationCount:
      return out("×%1");
    case T::ShepardLegend:
      return out("Clase de Shepard");
    case T::FolkLegend:
      return out("Grupo textural de Folk");
    case T::MeanLegend:
      return out("Media de Folk y Ward");
    case T::UnknownShepardClass:
      return out("Clase desconocida");
    case T::MeanAxis:
      return out("Media (Ø)");
    case T::SortingAxis:
      return out("Clasificación (Ø)");
    case T::SkewnessAxis:
      return out("Asimetría");
    case T::DepthAxis:
      return out("Profundidad en el testigo (cm)");
    case T::PercentAxis:
      return out("%");
    case T::CoreHeading:
      return out("Testigo del lote %1 en %2: %3 niveles");
    case T::UnreadDepths:
      return out("Subprofundidad ilegible, fuera del perfil: %1");
  }
  return {};
}

std::string samplePageText(SamplePageText text) {
  using T = SamplePageText;
  switch (text) {
    case T::Continued:
      return out(" (continuación)");
    case T::Histogram:
      return out("Histograma");
    case T::DensityAxis:
      return out("Peso por unidad Ø (%)");
    case T::ProbabilityChart:
      return out("Curva acumulada en escala de probabilidad");
    case T::CoarserAxis:
      return out("Más grueso (%)");
    case T::OpenClass:
      return out("La clase > %1 µm, sin límite superior, pesa %2 %: no tiene anchura que dibujar.");
    case T::OffScale:
      return out("%1 de los %2 límites de clase quedan fuera de la escala (< %3 % o > %4 %).");
    case T::ClassTable:
      return out("Clases granulométricas");
    case T::OmittedClass:
      return out("La clase %1 no tiene peso: no se lista.");
    case T::OmittedClasses:
      return out("Las clases %1 no tienen peso: no se listan.");
    case T::OmittedClassesBoth:
      return out("Las clases %1 y %2 no tienen peso: no se listan.");
    case T::NoClassWeight:
      return out("Ninguna clase tiene peso: no se listan.");
    case T::ClassNumber:
      return out("Clase");
    case T::Weight:
      return out("Peso\n%");
    case T::Finer:
      return out("Más fino\n%");
    case T::FinerNote:
      return out(
          "Más fino: porcentaje de la muestra más fino que el límite inferior de la clase, de la "
          "curva acumulada normalizada a su total, la misma de los percentiles.");
    case T::Arithmetic:
      return out("Aritm.");
    case T::Logarithmic:
      return out("Log.");
  }
  return {};
}

std::string lotSummaryText(LotSummaryText text) {
  using T = LotSummaryText;
  switch (text) {
    case T::FiguresTitle:
      return out("Cifras del lote");
    case T::Column:
      return out("Columna de la tabla");
    case T::Count:
      return out("n");
    case T::Minimum:
      return out("Mínimo");
    case T::Median:
      return out("Mediana");
    case T::Mean:
      return out("Media");
    case T::Maximum:
      return out("Máximo");
    case T::StandardDeviation:
      return out("Desv. típica");
    case T::ShepardTitle:
      return out("Muestras por clase de Shepard (1954)");
    case T::ShepardClass:
      return out("Clase");
    case T::FolkTitle:
      return out("Muestras por grupo textural de Folk (1954)");
    case T::FolkGroup:
      return out("Grupo");
    case T::Samples:
      return out("Muestras");
    case T::UnknownClass:
      return out("Clase desconocida");
    case T::NoGroup:
      return out("Sin grupo");
  }
  return {};
}

std::string curvePageText(CurvePageText text) {
  using T = CurvePageText;
  switch (text) {
    case T::OfAll:
      return out("%1 de todas las muestras");
    case T::OfSome:
      return out("%1, muestras %2 a %3");
    case T::OfOne:
      return out("%1, muestra %2");
  }
  return {};
}

// The archive of every run.

const std::vector<std::string>& archiveColumnTitles() {
  static const std::vector<std::string> titles = {
      "Lote",        "Nº",     "Muestra", "Campaña", "Prof(m)",  "Shepard",   "Folk",
      "FW-Media(Ø)", "%Grava", "%Arena",  "%Limo",   "%Arcilla", "Ejecución", "Vigente"};
  return titles;
}

std::string runArchived(std::string_view archive, int samples) {
  return "Ejecución archivada en " + std::string(archive) + " (" + number(samples) +
         (samples == 1 ? " muestra)." : " muestras).");
}

std::string runAlreadyArchived(std::string_view archive) {
  return "La ejecución ya estaba en el archivo " + std::string(archive) + ": no se añade de nuevo.";
}

std::string runNotArchived(std::string_view cause) {
  return "La ejecución NO se ha archivado: " + std::string(cause);
}

// The archive's own failures.

std::string archiveProblem(ArchiveProblem problem, std::string_view archive,
                           std::string_view detail) {
  const std::string name(archive);
  std::string text;
  switch (problem) {
    case ArchiveProblem::Missing:
      text = "No existe el archivo " + name + ".";
      break;
    case ArchiveProblem::NotAnArchive:
      text = name + " no es un archivo de Granomet: se deja como está.";
      break;
    case ArchiveProblem::NewerVersion:
      text = "El archivo " + name +
             " es de una versión más reciente de Granomet: actualice el programa para usarlo.";
      break;
    case ArchiveProblem::Busy:
      text = "El archivo " + name + " está ocupado por otro programa; inténtelo más tarde.";
      break;
    case ArchiveProblem::ReadOnly:
      text = "No hay permiso para escribir en el archivo " + name + " o en su carpeta.";
      break;
    case ArchiveProblem::Full:
      text = "No queda espacio en el disco del archivo " + name + ".";
      break;
    case ArchiveProblem::Damaged:
      text = "El archivo " + name + " está dañado.";
      break;
    case ArchiveProblem::Unreadable:
      text = "No se puede usar el archivo " + name + ".";
      break;
  }
  if (!detail.empty()) {
    text += " (" + std::string(detail) + ")";
  }
  return text;
}

std::string resultsFileWithoutSamples(std::string_view fileName) {
  return std::string(fileName) + ": el fichero de resultados no tiene ninguna muestra.";
}

std::string archivedFileMissing(std::string_view fileName) {
  return std::string(fileName) +
         ": ya no está en el disco (el archivo conserva sus muestras; no es un problema).";
}

std::string archivedFileChanged(std::string_view fileName) {
  return std::string(fileName) + ": el fichero ha cambiado desde que se archivó.";
}

std::string archiveCheckFailed(std::string_view archive, std::string_view detail) {
  return "La comprobación de la base de datos del archivo " + std::string(archive) +
         " ha fallado: " + std::string(detail);
}

// The Archivo window.

std::string archiveWindowText(ArchiveWindowText text) {
  using T = ArchiveWindowText;
  switch (text) {
    case T::Title:
      return "Archivo";
    case T::Place:
      return "Archivo: %1";
    case T::ChooseArchive:
      return "Elegir archivo…";
    case T::ChooseTitle:
      return "Elegir el archivo de muestras";
    case T::ChooseFilter:
      return "Archivo de Granomet (*.gpkg)|*.gpkg|Todos los ficheros (*.*)|*.*";
    case T::ArchivesRuns:
      return "Archivar cada ejecución";
    case T::Campaign:
      return "Campaña:";
    case T::Lot:
      return "Lote:";
    case T::Sample:
      return "Muestra:";
    case T::Shepard:
      return "Clase:";
    case T::Folk:
      return "Folk:";
    case T::Depth:
      return "Profundidad (m):";
    case T::Zone:
      return "Zona:";
    case T::Since:
      return "Desde:";
    case T::Until:
      return "Hasta:";
    case T::AllVersions:
      return "Todas las versiones";
    case T::Search:
      return "&Buscar";
    case T::AnyClass:
      return "(todas)";
    case T::AnyGroup:
      return "(todos)";
    case T::DepthHint:
      return "MIN:MAX";
    case T::ZoneHint:
      return "LON1,LAT1,LON2,LAT2";
    case T::DateHint:
      return "aaaa-mm-dd";
    case T::SelectAll:
      return "&Seleccionar todas";
    case T::Show:
      return "&Mostrar en la ventana";
    case T::Yes:
      return "sí";
    case T::No:
      return "no";
    case T::NotSearched:
      return "No se busca: ";
    case T::BadDepth:
      return "la profundidad «%1» no se lee (MIN:MAX en metros; un extremo puede faltar: 50: o "
             ":20)";
    case T::BadZone:
      return "la zona «%1» no se lee (LON1,LAT1,LON2,LAT2 en grados con punto decimal, dos "
             "esquinas opuestas)";
    case T::BadDate:
      return "%1 «%2» no es una fecha (2016-06-06 o 06/06/2016)";
    case T::BadFolk:
      return "«%1» no es un grupo de Folk (G, sG, (g)mS, cS…)";
    case T::UntilBeforeSince:
      return "«Hasta» es anterior a «Desde»";
    case T::NoPlace:
      return "No se sabe dónde está el archivo: no hay XDG_DATA_HOME ni HOME; elija uno con "
             "«Elegir "
             "archivo…».";
    case T::NotShown:
      return "No se pueden mostrar las muestras: %1";
  }
  return {};
}

std::string archiveSampleCount(std::int64_t samples) {
  return std::to_string(samples) + (samples == 1 ? " muestra" : " muestras");
}

std::string archiveSelectedCount(std::int64_t samples) {
  return std::to_string(samples) + (samples == 1 ? " seleccionada" : " seleccionadas");
}

// granomet-archivo.

std::string_view archivoOrderName(ArchivoOrder order) {
  switch (order) {
    case ArchivoOrder::Import:
      return "importar";
    case ArchivoOrder::List:
      return "listar";
    case ArchivoOrder::Export:
      return "exportar";
    case ArchivoOrder::Report:
      return "informe";
    case ArchivoOrder::Check:
      return "comprobar";
  }
  return {};
}

std::string_view archivoUsage() {
  return "Uso: granomet-archivo ORDEN [--archivo FICHERO] [filtros]\n"
         "\n"
         "El archivo guarda cada ejecución de Granomet (ventana y granomet-batch) y los\n"
         "ficheros de resultados que se importan. Es un GeoPackage que QGIS abre tal cual.\n"
         "\n"
         "Órdenes:\n"
         "  importar RESULTADOS.csv...  añade los ficheros de resultados; uno ya archivado\n"
         "                              no se añade de nuevo\n"
         "  listar                      las muestras elegidas, en columnas\n"
         "  exportar -o SALIDA          las muestras elegidas: SALIDA.csv, la tabla de\n"
         "                              estadísticos de granomet-informe -o; SALIDA.gpkg o\n"
         "                              SALIDA.geojson, una capa de puntos con sus columnas\n"
         "  informe -p INFORME.pdf [--fondo CAPA]\n"
         "                              el informe PDF de las muestras elegidas\n"
         "  comprobar                   comprueba la base de datos y si los ficheros\n"
         "                              archivados siguen como estaban\n"
         "\n"
         "--archivo FICHERO  el archivo; si no, $XDG_DATA_HOME/granomet/archivo.gpkg\n"
         "                   (~/.local/share/granomet/archivo.gpkg). Solo importar lo crea.\n"
         "\n"
         "Filtros de listar, exportar e informe (se combinan; sin filtros, todas):\n"
         "  --campaña C (o --campana)  la campaña; --lote L  el lote (sin distinguir\n"
         "                              mayúsculas ni acentos)\n"
         "  --muestra TEXTO             muestras cuyo nombre contiene TEXTO\n"
         "  --clase CLASE               clase de Shepard, por nombre o código\n"
         "  --folk GRUPO                grupo textural de Folk, como en la tabla: \"(g)mS\"\n"
         "  --prof MIN:MAX              profundidad en metros; \"50:\", \":20\"\n"
         "  --zona LON1,LAT1,LON2,LAT2  rectángulo en grados, con punto decimal\n"
         "  --desde FECHA, --hasta FECHA  fecha de la ejecución: 2016-06-06 o 06/06/2016\n"
         "  --todas                     también las versiones anteriores de cada muestra\n"
         "                              (si no, solo la vigente: la de la última ejecución)\n"
         "\n"
         "La marca decimal sale de la configuración regional del usuario (en Linux, de\n"
         "LC_ALL, LC_NUMERIC o LANG).\n"
         "Salida: 0 si se hizo lo pedido, 1 si algo falló o se rechazó (un fichero que no\n"
         "se pudo importar, un problema al comprobar), 2 si los argumentos no son válidos.\n";
}

std::string_view archivoUsageHint() {
  return "Uso: granomet-archivo ORDEN [--archivo FICHERO] [filtros]\n"
         "(granomet-archivo --help explica las órdenes y los filtros)\n";
}

std::string archivoUnknownOrder(std::string_view word) {
  return "granomet-archivo: \"" + std::string(word) +
         "\" no es una orden; las órdenes son importar, listar, exportar, informe y "
         "comprobar.\n\n";
}

std::string archivoUnknownOption(std::string_view option) {
  return "granomet-archivo: opción desconocida " + std::string(option) + ".\n\n";
}

std::string archivoValueMissing(std::string_view option) {
  return "granomet-archivo: falta el valor detrás de " + std::string(option) + ".\n\n";
}

std::string archivoFilterUnread(std::string_view option, std::string_view value) {
  std::string expected;
  if (option == "--prof") {
    expected =
        "una profundidad MIN:MAX en metros, el mínimo no mayor que el máximo "
        "(\"10:50\", \"50:\", \":20\")";
  } else if (option == "--zona") {
    expected =
        "un rectángulo LON1,LAT1,LON2,LAT2 en grados con punto decimal, dentro de la "
        "Tierra y con anchura y altura (\"-6.5,36.3,-6.1,36.6\")";
  } else {
    expected = "una fecha que existe, como 2016-06-06 o 06/06/2016";
  }
  return "granomet-archivo: " + std::string(option) + " \"" + std::string(value) +
         "\" no se entiende: se espera " + expected + ".\n\n";
}

std::string archivoOptionNotForOrder(std::string_view option, ArchivoOrder order) {
  return "granomet-archivo: " + std::string(option) + " no vale con la orden " +
         std::string(archivoOrderName(order)) + ".\n\n";
}

std::string archivoFilesNotForOrder(ArchivoOrder order, std::string_view file) {
  return "granomet-archivo: la orden " + std::string(archivoOrderName(order)) +
         " no lleva ficheros (" + std::string(file) + "); solo importar.\n\n";
}

std::string_view archivoImportWithoutFiles() {
  return "granomet-archivo: falta algún fichero de resultados que importar.\n\n";
}

std::string_view archivoExportWithoutOutput() {
  return "granomet-archivo: exportar necesita -o SALIDA (.csv, .gpkg o .geojson).\n\n";
}

std::string_view archivoReportWithoutOutput() {
  return "granomet-archivo: informe necesita -p INFORME.pdf.\n\n";
}

std::string archivoUnknownExtension(std::string_view output) {
  return "granomet-archivo: no se sabe qué escribir en " + std::string(output) +
         ": la salida de exportar termina en .csv (tabla de estadísticos), .gpkg o .geojson "
         "(capa de puntos).\n\n";
}

std::string archivePlaceUnknown() {
  return "no se sabe dónde está el archivo: no hay XDG_DATA_HOME ni HOME (LOCALAPPDATA en "
         "Windows). Indíquelo con --archivo FICHERO.";
}

std::string archivoImported(std::string_view archive, const ArchivoImport& counts) {
  const auto files = [](int count) {
    return number(count) + (count == 1 ? " fichero" : " ficheros");
  };
  const auto samples = [](int count) {
    return number(count) + (count == 1 ? " muestra" : " muestras");
  };
  std::string text = "Archivo: " + std::string(archive) + "\n" +
                     "Añadidos: " + files(counts.filesAdded) + ", " + samples(counts.samplesAdded) +
                     "\n" + "Ya archivados, no se añaden de nuevo: " + files(counts.filesSkipped) +
                     ", " + samples(counts.samplesSkipped) + "\n" +
                     "Rechazados: " + files(counts.filesRefused) + "\n";
  if (counts.filesNotTried > 0) {
    text += "Sin importar por el fallo del archivo: " + files(counts.filesNotTried) + "\n";
  }
  return text;
}

std::string archivoCurrentText(bool current) {
  return current ? "sí" : "no";
}

std::string archivoOutputIsArchive(std::string_view output) {
  return std::string(output) +
         " es el propio archivo: escribir en él lo borraría. Elija otro "
         "nombre.";
}

std::string archivoOutputIsArchived(std::string_view output, std::string_view archivedAs) {
  return std::string(output) + " es un fichero archivado (" + std::string(archivedAs) +
         "): escribir en él lo borraría. Elija otro nombre.";
}

std::string archivoNothingSelected(std::string_view output) {
  return "ninguna muestra del archivo pasa los filtros: no se escribe " + std::string(output) + ".";
}

std::string archivoWithoutLayers() {
  return "esta versión de granomet-archivo no escribe capas de mapa (.gpkg, .geojson): se "
         "construyó sin GDAL. La tabla de estadísticos (.csv) sí.";
}

std::string archivoWithoutPdf() {
  return "esta versión de granomet-archivo no escribe informes PDF (se construyó sin Qt); "
         "listar y exportar sí.";
}

std::string archivoReportFolderFailed(std::string_view folder, std::string_view cause) {
  return "no se pudo preparar la carpeta temporal del informe (" + std::string(folder) +
         "): " + std::string(cause) + ". El informe no se escribió.";
}

std::string archivoChecked(std::string_view archive, bool databaseSound, int filesChecked,
                           int filesMissing, int filesChanged,
                           const std::vector<std::string>& problems,
                           const std::vector<std::string>& missing) {
  std::string text =
      "Archivo: " + std::string(archive) + "\n" +
      "Base de datos: " + (databaseSound ? "íntegra" : "DAÑADA") + "\n" +
      "Ficheros archivados: " + number(filesChecked) +
      (filesChecked == 1 ? " comprobado, " : " comprobados, ") + number(filesMissing) +
      (filesMissing == 1 ? " no encontrado, " : " no encontrados, ") + number(filesChanged) +
      (filesChanged == 1 ? " cambiado" : " cambiados") + " desde que se archivaron\n";
  for (const std::string& problem : problems) {
    text += "  " + problem + "\n";
  }
  for (const std::string& gone : missing) {
    text += "  " + gone + "\n";
  }
  const bool sound = databaseSound && problems.empty() && filesChanged == 0;
  return text + (sound ? "Sin problemas.\n" : "Con problemas: vea las líneas de arriba.\n");
}

std::string archivoDamagedLines(std::string_view archive, std::string_view cause) {
  return "el archivo " + std::string(archive) + " devuelve líneas que no se leen (" +
         std::string(cause) + "): está dañado. Compruébelo con granomet-archivo comprobar.";
}

std::string_view batchArchiveNameMissing() {
  return "granomet-batch: falta el nombre del archivo detrás de --archivo.\n\n";
}

std::string_view batchArchiveOptionsMeet() {
  return "granomet-batch: --archivo y --sin-archivo no van juntos.\n\n";
}

std::string_view batchWithoutArchive() {
  return "granomet-batch: esta versión no guarda las ejecuciones en un archivo (--archivo): se "
         "construyó sin SQLite, que Debian no ofrece para Windows. Con --sin-archivo, o sin "
         "esa opción, calcula como siempre.\n\n";
}

std::string runNotArchivedStatus() {
  return out("La ejecución NO se ha archivado.");
}

MessageRequest runNotArchivedWarning(std::string_view said) {
  return {out(std::string(said) +
              "\n\nEl fichero de resultados está completo y las muestras calculadas se "
              "muestran como siempre; el fichero puede añadirse al archivo más tarde."),
          out("ARCHIVO"), MessageButtons::Ok, MessageIcon::Warning};
}

std::string archiveMenuItem() {
  return out("Archivo…");
}

std::string archivedSamplesShown(int samples, int lots) {
  return out("Del archivo: " + number(samples) + (samples == 1 ? " muestra" : " muestras") +
             " de " + number(lots) + (lots == 1 ? " lote." : " lotes."));
}

MessageRequest archivedSamplesUnshown(std::string_view cause) {
  return {out("No se pueden mostrar las muestras del archivo: " + std::string(cause)),
          out("ARCHIVO"), MessageButtons::Ok, MessageIcon::Warning};
}

MessageRequest tooManyArchivedSamples(int chosen, int most) {
  return {out("Se han elegido " + number(chosen) +
              " muestras: la ventana principal muestra a la vez como mucho " + number(most) +
              ", las de un lote. Elija menos en la ventana «Archivo»."),
          out("ARCHIVO"), MessageButtons::Ok, MessageIcon::Warning};
}

}  // namespace granomet::messages
