#pragma once
#include <string>

// /LOG alone: a new file in the temporary directory, numbered from 1 within a day, so that
// one run's log never continues another's and the files sort by date.
constexpr int TempLogNumbers = 999;

// "Quillmark Setup Log 2026-12-09 #001.txt" for number 1 of that day.
std::string TempLogName(int year, int month, int day, int number);
