// Splits a results file into records and fields as a CSV reader that knows doubled quotes does.
#include "results_shape.h"

namespace granomet::fuzz {

std::variant<std::vector<ResultsRecord>, std::string> parseResults(std::string_view bytes) {
  std::vector<ResultsRecord> records;
  ResultsRecord record;
  std::size_t pos = 0;
  const auto where = [&] {
    return " (registro " + std::to_string(records.size() + 1) + ", byte " + std::to_string(pos) +
           ")";
  };
  while (pos < bytes.size()) {
    ResultsField field;
    if (bytes[pos] == '"') {
      field.quoted = true;
      for (++pos;; ++pos) {
        if (pos >= bytes.size()) {
          return "comillas sin cerrar" + where();
        }
        if (bytes[pos] == '"') {
          if (pos + 1 < bytes.size() && bytes[pos + 1] == '"') {
            field.text += '"';
            ++pos;
            continue;
          }
          ++pos;
          break;
        }
        field.text += bytes[pos];
      }
    } else {
      for (; pos < bytes.size() && bytes[pos] != ',' && bytes[pos] != '\r' && bytes[pos] != '\n';
           ++pos) {
        if (bytes[pos] == '"') {
          return "comillas dentro de un campo sin comillas" + where();
        }
        field.text += bytes[pos];
      }
    }
    record.push_back(std::move(field));
    if (pos >= bytes.size()) {
      return "la última línea no termina en CR LF" + where();
    }
    if (bytes[pos] == ',') {
      ++pos;
      continue;
    }
    if (bytes.substr(pos, 2) == "\r\n") {
      pos += 2;
      records.push_back(std::move(record));
      record.clear();
      continue;
    }
    if (bytes[pos] == '\r' || bytes[pos] == '\n') {
      return "CR o LF suelto fuera de comillas" + where();
    }
    return "texto tras las comillas de cierre" + where();
  }
  if (!record.empty()) {  // the file ends behind a comma
    return "la última línea no termina en CR LF" + where();
  }
  return records;
}

}  // namespace granomet::fuzz
