#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/Json.h"
#include "model/OptimizationModel.h"
#include "model/StrengthRecord.h"

namespace quelmora {

// Validates (settings, then every product, then that no two products share
// an Id) and writes the project file; on a validation failure the file is not
// touched.
void SaveProject(const std::string& FileName, const TProjectData& Project);

// Reads, checks and returns a project; raises on the first fault and never
// returns a partial project.
TProjectData LoadProject(const std::string& FileName);

// Writes the solutions of a run for other programs; the log is not written.
// Strengths is empty (no strength check) or holds one record per solution,
// written as the solution's "Strength" object; any other count is a
// TErrorKind::Internal error raised before the file is touched.
void SaveResultJson(const std::string& FileName, const TOptimizationResult& Result,
                    const std::vector<TStrengthRecord>& Strengths = {});

// Member readers. Each raises Exception "Некорректный файл: <Key>" when the
// member is absent or does not hold what the reader accepts; the first
// occurrence of a duplicated key counts.
const TJsonValue& RequireValue(const TJsonValue& Object, std::string_view Key);
// A number with a finite value.
double ReadJsonNumber(const TJsonValue& Object, std::string_view Key);
// A number that is whole and within 0..2147483647.
int32_t ReadJsonCount(const TJsonValue& Object, std::string_view Key);
// A string, or a number given as the text it is written with.
std::string ReadJsonText(const TJsonValue& Object, std::string_view Key);
// true / false, also as the strings "true" / "false".
bool ReadJsonBool(const TJsonValue& Object, std::string_view Key);

// Member writers.
void AddJsonNumber(TJsonValue& Object, std::string_view Key, double Value);
void AddJsonBool(TJsonValue& Object, std::string_view Key, bool Value);

}  // namespace quelmora
