#include "plat/ErrorCodes.h"

namespace plat {

namespace {
// clang-format off
constexpr const char* messages[StandardMessageCount] = {
    "An error has occurred.",
    "There is not enough memory available to complete this operation.",
    "The application has tried to open a file that is already open.",
    "The application tried to open a file using an empty filename.",
    "The file '%s' could not be opened (reason: %s).",
    "The application has tried to read from a file that it has not opened.",
    "The application reached the end of the file while reading data.",
    "The application encountered a problem while reading data from a file (reason: %s).",
    "The application has tried to write to a file that it has not opened.",
    "The application encountered an problem while writing to a file (reason: %s).",
    "The application was unable to write to a file because there is insufficient space available.",
    "The application was unable to write to a file because access was denied.",
    "The application tried to access data in a file that it had not opened.",
    "The application encountered an error accessing data in a file (reason: %s).",
    "The application has tried to read from a file that it has not opened.",
    "The application reached the end of the file while reading data.",
    "The application encountered a problem while reading data from a file.",
    "The application has tried to write to a file that it has not opened.",
    "The application encountered an problem while writing to a file.",
    "The application encountered an problem while trying to obtain the size of a file.",
    "The application encountered an error accessing data in a file or folder.",
    "The application was unable to lock a file.",
    "A virtual file could not be opened because access was denied.",
    "An attempt was made to process an invalid file - access may be denied, or the file may not exist.",
    "The application has tried to access a ZIP file which is not in a recognised format.",
    "The application has tried to read a data file from a ZIP file, but the data file was not found.",
    "The application tried to create a new ZIP file, but the file already exists.",
    "The application tried to open a folder that did not exist.",
    "The application was unable to open an explorer window onto a particular folder.",
    "The application has encountered an error when initialising the network system.",
    "The application has not initialised a network component correctly.",
    "The application has encountered an error when initialising a network connection.",
    "The application was unable to connect to a named computer, because the name was empty.",
    "The application was unable to connect to a named computer, because the name (which was '%s') was not recognised.",
    "The application has encountered an error when setting up a server object.",
    "The server has encountered an error when accepting a new client network connection.",
    "The application has encountered an error when setting up a network connection.",
    "The application was unable to connect to a network server.",
    "The application has encountered an error while sending data via a network connection.",
    "The application has encountered an error while trying to receive data via a network connection.",
};
// clang-format on
} // namespace

const char* StandardMessageText(int number) {
    if (number < 1 || number > StandardMessageCount) {
        return "";
    }
    return messages[number - 1];
}

} // namespace plat
