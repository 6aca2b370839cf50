#pragma once

// The language texts the program shows, named after what they say. Each value is the
// text's index in the language files, so the numbers must not change.

namespace ferrowick::services {

enum class Text : int {
  // Start-up, About box and side panel
  Copyright = 100,
  AlreadyRunning = 101,
  AboutTitle = 118,
  Version = 119,
  AboutWebSite = 120,
  AboutAuthor = 121,
  AboutComputerName = 122,
  AboutSupport = 125,
  AboutSupportPage = 126,
  AboutForum = 127,
  AboutContact = 128,
  ClickHere = 135,

  // Update check
  NewerVersionAvailable = 144,
  CheckingForUpdate = 145,
  NoNewerVersion = 146,
  Cancel = 147,

  // Folder creation, source list and the backup run
  CannotCreateFolder = 177,
  AlreadyInSourceList = 178,
  PreparingFileList = 179,
  BackupTitle = 180,
  LogStarted = 181,
  CopyingFiles = 182,
  To = 183,
  LogCopied = 184,  // keeps its spaces: it ends a log line
  ProgressFile = 185,
  ProgressCopiedSoFar = 186,  // keeps its spaces: it joins the count to the size
  ProgressOf = 187,
  BackupFinished = 188,
  TotalSize = 189,
  Ready = 190,
  From = 191,

  // Copy errors
  CopyError = 192,
  RetryFile = 193,
  InvalidFileName = 194,
  FileNotFound = 195,
  DeviceIoError = 196,
  DiskFull = 197,
  PermissionDenied = 198,
  DiskNotReady = 199,
  PathNotFound = 200,

  // Saving and checking the settings
  SettingsNotSaved = 201,
  AffectedSource = 202,
  NoSources = 203,
  NoDestination = 204,
  DestinationIsRoot = 205,
  ConfirmRootDestination = 206,
  EnterTimeOfDay = 207,
  EnterInterval = 208,
  ChooseFolder = 209,

  // MD5 compare tool
  AllFiles = 210,
  Md5Match = 211,
  Md5Differ = 212,
  Md5Title = 213,
  Md5Intro = 214,
  Md5FirstFile = 215,
  Md5SecondFile = 216,
  Md5FirstFileName = 217,
  Md5FirstSum = 218,
  Md5SecondFileName = 219,
  Md5SecondSum = 220,
  Compare = 221,
  Close = 222,

  // Menus, tray menu and settings page
  MenuOpen = 223,
  MenuFile = 224,
  MenuCompareMd5 = 225,
  LanguageAtRestart = 226,
  StartAtLogin = 227,
  Language = 228,
  MenuHelp = 229,
  MenuReadme = 232,
  MenuLicence = 233,
  CheckForUpdates = 234,
  MenuWebSite = 235,
  MenuAbout = 236,

  // Page titles and side links
  PageInformation = 237,
  PageSources = 238,
  PageDestination = 239,
  PageSchedule = 240,
  PageSettings = 241,
  HideWindow = 242,
  Save = 243,

  // Sources page
  ChooseSources = 244,
  SourcesToBackUp = 245,
  Browse = 246,
  IncludeSubfolders = 247,
  AddFolder = 248,
  AddFiles = 249,
  Remove = 250,
  ClearList = 251,
  Next = 252,

  // Information page
  InfoIntro = 253,
  InfoSteps = 254,
  StatusHeading = 255,
  NoBackupYet = 256,

  // Schedule page
  WhenToRun = 257,
  OnlyNow = 258,
  AlwaysAt = 259,
  RepeatEvery = 260,
  TimeFormat = 261,
  MoreSettings = 262,
  ScheduleNote = 263,
  OnWhichDays = 264,
  EveryDay = 265,
  OnlyTheseDays = 266,
  Monday = 267,
  Tuesday = 268,
  Wednesday = 269,
  Thursday = 270,
  Friday = 271,
  Saturday = 272,
  Sunday = 273,
  Incremental = 274,
  SaveLog = 275,
  Back = 276,
  StartBackup = 277,

  // Destination page
  WhereToStore = 278,
  LocalOrNetworkFolder = 279,
  CreateNewFolder = 280,
  NewFolder = 281,
  FolderName = 282,
  NameAndDate = 283,
  NameOrDate = 284,
  DatedFolder = 285,
  DateSeparator = 286,
  Reset = 287,
  ShowLog = 288,
};

}  // namespace ferrowick::services
