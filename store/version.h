#pragma once

// The program's version as the windows and the version file show it.
inline constexpr char ProgramVersion[] = "06.08.06";

// Where a newer copy can be downloaded, named in the too-new and missing-updater messages.
inline constexpr char DownloadPageAddress[] = "http://www.quillons.example/pellmoor/download.html";

// Base address of the update server; PELLMOOR_UPDATE_URL replaces it.
inline constexpr char UpdateBaseAddress[] = "http://www.quillons.example/pellmoor/";
