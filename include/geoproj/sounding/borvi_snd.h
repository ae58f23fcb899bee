// CBorviSnd: one borehole seen as its set of text files (ID.SND with the header and every
// sounding block, and the separate ID.TLK, ID.PRV, ID.GVR, ID.MTN, ID.MIL and ID.VB) and the
// method objects read from them. It also holds the code table of record free texts and computes
// the borehole's status bits and depth summary for the database record.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "geoproj/database/bhdbstype.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/sounding/kod.h"

class CProjPath;
class CBorviDbs;
class CBorvIni;

// Method classes, one slot each. Slots of classes that are not part of the library yet stay
// null: New() cannot create them, so a block of their code is reported and skipped.
class CBorviDreie;
class CBorviFjell;
class CBorviDtrykk;
class CBorviEnkel;
class CBorviRam;
class CBorviTotal;
class CBorviVb;
class CBorviCpt;
class CBorviDpt;
class CBorviTlk;
class CBorviPrv;
class CBorviMil;
class CBorviGvr;
class CBorviMtn;
class CKarnborr;
class CVattenF;

class CBorviSnd {
 public:
  // Kinds of the last file read (typ points at one of them).
  static constexpr int Bh = 1;        // borehole: sounding, sample or environmental file
  static constexpr int Gvr = 2;       // groundwater pipe
  static constexpr int Mtn = 3;       // measurement
  static constexpr int Avp = 4;       // levelling point
  static constexpr int Vb = 5;        // vane test
  static constexpr int Kvarlin = 6;   // line of the line database
  static constexpr int Kvarhall = 7;  // outcrop of the line database

  static constexpr double Seknoll = 9999999.9;  // chainage meaning "no chainage"
  static const char* Kodtyp;                    // default code system of new method objects
  static int Vimfilter;                         // for the host

  // The built-in code table; the allowed flags are process-wide and ReadKod may change them.
  static kod Akod1[28];
  static int Ikod1;
  // Weight codes of weight soundings.
  static const char* Vikter[9];
  static int Ivikt;

  CBorviSnd();
  CBorviSnd(CProjPath* path, CBorviDbs* dbs);
  // Also reads the installation's code choice and code file.
  CBorviSnd(CProjPath* path, CBorviDbs* dbs, CBorvIni* ini);
  CBorviSnd(const CBorviSnd&) = delete;
  CBorviSnd& operator=(const CBorviSnd&) = delete;
  virtual ~CBorviSnd();

  // Reads the borehole id (path, when given, names ID.SND instead of the project's file).
  // 0 = done, -1 = the object for one of the separate files could not be created.
  int Init(const char* id, const char* path);
  int Init(const char* id, const std::string& path);

  // Writes the borehole back and has the database recompute its record; always 0.
  // With id and path null the names come from the identifier.
  int Uppdat(const char* id, const char* path);
  // Write only the groundwater or vane file; 0 = done, -1 = not written.
  int UppdatGvr(const char* id, const char* path);
  int UppdatVb(const char* id, const char* path);
  // Measurement files are written by their own object: sets the names, returns -1.
  int UppdatMtn(const char* id, const char* path);

  // Creates the method object of a code in its slot (replacing what was there).
  // 1 = created, 0 = no class for the code.
  int New(int code);
  // The seven file names for id (or path); returns 0.
  int SetFilePath(const char* id, const char* path);
  // Deletes the separate file of code 60, 45 or 40 when it exists; returns 1.
  int DeleteFil(int code);
  // Memory mode of the sounding file; mode 1 also switches to the temporary names for good.
  void SetMemFile(int mode);
  // The bytes collected in memory mode, null in disk mode.
  const std::string* MemFile() const;
  // Hook offered every line a method object writes when its option 1 is set; does nothing.
  static void AddVbToPrv();

  // Code lookup in a record's free text (method code, text, word position, word count out,
  // code kind, code system, all = ignore the allowed flags). The entry found, or null.
  static kod* Findkod(int metod, const char* text, int pos, int* antal, const char* typ,
                      const char* kodsystem, int alla);
  static kod* FindkodSGF(int metod, const char* text, int pos, int* antal, const char* typ,
                         const char* kodsystem, int alla);
  // 1-based position of a weight code in Vikter, 0 when it is none.
  static int Findvikt(const char* text);
  int StoppKod(int stopp, const char* text);
  // Highest stop code of the borehole's methods into *stopp; returns 0.
  int GetMaxStopp(int* stopp);

  // Fills position, depth, stop code and status bits of the database record; returns 0.
  int Snd2Bhbit(bhdbstype* rec);
  // Raises *djup to the deepest last depth of the methods; returns 0.
  int GetMaxDjup(float* djup);
  // Puts rock found at a depth (or at a level) into the interpretation; the result of
  // CBorviTlk::InsertBerg, or -1 without an interpretation.
  int TolkatBerg(float djup);
  int TolkatZBerg(double niva);
  // 0 when a sounding holds the own-sounding code "MY", else -1; the second form also gives
  // the depth of its first record with it.
  int MyKod();
  int MyKod(double* djup);
  // 1 when a sounding was digitised or the samples were read from a digitised sheet.
  int IfDigitaliserad();
  int AutoTolk(int, int);
  int RensaKansligareMetod(std::string* text);

  CProjPath* projpath = nullptr;  // not owned; none: Uppdat writes to the temporary directory
  CBorviDbs* dbs = nullptr;       // not owned; the database updated after a write
  CBorvIni* ini = nullptr;        // not owned; installation settings
  char id[9] = {};                // borehole identifier, at most 8 characters
  char orgnamn[9] = {};           // first word of the GUID section line, "GUID" in current files
  bhbit bit = {};                 // the borehole's own status bits
  double hvarde[5] = {0, 0, 0, Seknoll, 0};  // x, y, ground level, chainage, offset
  float startdjup = 0.0f;         // depth below which soundings begin
  double lutning = 90.0;          // inclination in degrees, 90 = vertical
  int riktning = 0;               // direction
  char datum[12] = {};            // date of the block being read, day.month.year
  int metod = 0;                  // code of the block being read
  char skapad[11] = {};           // creation date of ID.SND, empty when it does not exist
  char andrad[11] = {};           // last-write date of ID.SND
  const int* typ = nullptr;       // kind of the last file read: &Bh, &Gvr, ...
  int option0 = 3;                // decimals of interpretation depths in the evaluation scans
  int option1 = 1;                // first argument of every method constructor
  int option2 = 0;                // second argument; embedded: Uppdat deletes TLK, PRV, MIL
  int samlagring = 0;             // embedded mode, third argument of the method constructors
  int andrat = 0;                 // changed; cleared by a disk-mode Uppdat
  // Sections of ID.SND the last Init could not read into an object (a code it does not know,
  // or no class for it), each as its lines were (the code line first, every line with LF).
  // Uppdat writes them back unchanged after the known blocks, in the order read, so that a save
  // loses nothing another program wrote.
  std::vector<std::string> m_unknownSections;
  // Places in the files the last Init read (ID.SND and the separate files) whose content it
  // could not take: lines that do not parse, binary garbage, a block cut off by the end of the
  // file. Each was shown as a status text with its file and line. Writing such a borehole back
  // would lose that content, so callers that save check it first.
  int m_droppedContent = 0;
  // Lines of the installation's code file the constructor could not take, reported the same way.
  int m_droppedCodeFile = 0;
  int tmpnamn = 0;                // 1: the files have the fixed temporary names
  std::string kommentar[4];       // free text lines of the header
  std::string guid;               // the borehole's GUID
  std::string guidrader[3];       // lines following the GUID line

  // Method objects, owned except mtn, which the host fills and empties.
  CBorviDreie* dreie = nullptr;     // 21
  CBorviFjell* fjell = nullptr;     // 26
  CBorviDtrykk* dtrykk = nullptr;   // 23
  CBorviEnkel* enkel = nullptr;     // 22
  CBorviRam* ram = nullptr;         // 24
  CBorviTotal* total = nullptr;     // 25
  CBorviVb* vb = nullptr;           // 20, ID.VB
  CBorviCpt* cpt = nullptr;         // 7, its header from block 107
  CBorviDpt* dpt = nullptr;         // 35
  CBorviTlk* tlk = nullptr;         // 60, ID.TLK
  CBorviPrv* prv = nullptr;         // 40, ID.PRV
  CBorviMil* mil = nullptr;         // 45, ID.MIL
  CBorviGvr* gvr = nullptr;         // 50, ID.GVR
  CBorviMtn* mtn = nullptr;         // measurements, not owned
  CKarnborr* karnborr = nullptr;    // 13
  CVattenF* vattenf = nullptr;      // 14

  CStdioFileMem kodfil;  // the installation's code file, read by ReadKod

  // The borehole's files, each with its path.
  CStdioFileMem sndfil;
  CStdioFileMem tlkfil;
  CStdioFileMem prvfil;
  CStdioFileMem gvrfil;
  CStdioFileMem mtnfil;
  CStdioFileMem milfil;
  CStdioFileMem vbfil;

 private:
  int ReadKod();
  int SetSndBhstat();

  // Reading.
  class HeaderLines;
  // Whether ID.SND is there (a regular file); its dates are read in the same look.
  bool ReadFileDates();
  void ReadSnd(bool present);
  void ReadHeader();
  void ReadComments(HeaderLines& lines, int first);
  void ReadSections();
  void ReadSection(std::string& line);
  void SkipSection();
  void KeepSection(const std::string& codeLine);
  void SetBlockDate(const std::string& codeLine, int code);
  void ReadBlock(const std::string& asRead, const std::string& codeLine, int code);
  void ReadGuidSection(const std::string& codeLine);
  void MissingOrigin();
  void ReadGuidLines();
  int HasSeparateObject(int code) const;
  int ReadSeparateFiles();
  void InitSeparate(int code);
  void InitGroundwater();
  void InitEnvironmental();
  void InitVane();
  void CloseFiles();

  // Writing.
  void SetWriteNames(const char* idText, const char* path);
  void WriteSounding(const char* idText, const char* path);
  void WriteHeader();
  void WriteGuidSection();
  void WriteBlocks();
  void WriteUnknownSections();
  int HasSounding(bool embedded) const;
  void WriteInterpretation();
  void WriteSamples();
  void FinishSeparateWrite();
  void WriteEnvironmental();
  void DeleteSeparateFiles();
  void ResetNames();

  // Status bits.
  void AddGuid(int code, const std::string& text, const bhdbstype* rec);
  bool MethodBits(bhdbstype* rec);
  void InterpretationBit(bhbit& bits, bool withGroundwater);
  void SampleBits(bhbit& bits);
  void EnvironmentalBits(bhbit& bits, const bhdbstype* rec);
  void StartDepths();

  void DeleteMethods();
  CStdioFileMem* Files(int index);

  std::unique_ptr<CProjPath> m_egenpath;  // the temporary directory's, when none was given
  int m_iAterskrivning = 0;               // inside the write-back of a new rock level
};
