#pragma once

#include <cstdint>

namespace plat {

// Error codes of the libraries and the program.
enum ErrorCode : std::uint32_t {
    ErrGeneral = 1,
    ErrNoProgramFolder = 4,
    ErrNotFound = 256,
    ErrNotOpen = 257,
    ErrCannotOpen = 258,
    ErrEndOfFile = 259,
    ErrSeek = 260,
    ErrTell = 261,
    ErrRead = 262,
    ErrWrite = 263,
    ErrAccessDenied = 265,
    ErrDiskFull = 266,
    ErrAlreadyExists = 267,
    ErrCannotCreate = 268,
    ErrNoNotesFolder = 0x100000,
};

enum Severity : std::uint32_t {
    SeverityError = 2,
    SeverityCritical = 3,
    SeverityTerminal = 4,
};

// The library's standard message texts, numbered from 1 in their fixed
// order. Their wording is part of what users see and is kept as it is.
enum StandardMessage {
    MsgErrorOccurred = 1,
    MsgNoMemory,
    MsgAlreadyOpen,
    MsgEmptyFilename,
    MsgCouldNotOpen,
    MsgReadNotOpen,
    MsgReadEndOfFile,
    MsgReadProblem,
    MsgWriteNotOpen,
    MsgWriteProblem,
    MsgDiskFull,
    MsgWriteAccessDenied,
    MsgAccessNotOpen,
    MsgAccessProblem,
    StandardMessageCount = 40,
};

// Text of a standard message (1 to 40); an empty text for any other number.
const char* StandardMessageText(int number);

} // namespace plat
