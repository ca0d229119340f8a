-- The staging template, Sintegra.mod. Each start of the program copies it to Sintegra.mdb.
-- Registro is a BLOB so that SQLite never reads a record line as UTF-8: substr() and length()
-- then count bytes, and comparisons are byte for byte.
-- IDSEQUENCIA numbers the rows in the order they are staged; the store gives it, so that no table
-- of sequences is written for every row.
-- The keys that the run groups and orders by are stored with each row as it is staged: DATA and
-- Tipo of type 60 records, Nprod (the product code) of type 75 records. REG60 holds its rows in
-- runs, each sorted by DATA, the serial number of the equipment (columns 12 to 31) and Tipo: the
-- output merges the runs instead of sorting the table.
PRAGMA page_size = 8192;

CREATE TABLE REG50 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG51 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG53 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG54 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG55 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG56 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG57 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG60 (IDSEQUENCIA INTEGER NOT NULL, Registro BLOB NOT NULL, DATA BLOB NOT NULL, Tipo INTEGER NOT NULL);
CREATE TABLE REG61 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG70 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG71 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG74 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG75 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL, Nprod BLOB);
CREATE TABLE REG76 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG77 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG85 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG86 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
CREATE TABLE REG88 (IDSEQUENCIA INTEGER PRIMARY KEY, Registro BLOB NOT NULL);
