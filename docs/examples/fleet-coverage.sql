-- A fleet's coverage in SQLite, from kelvane-compare's JSON Lines:
--   kelvane-compare --jsonl fleet.jsonl FOLDER
--   sqlite3 :memory: < fleet-coverage.sql
CREATE TABLE line(json TEXT);
-- One JSON line a row: no field separator ever stands in a line.
.mode ascii
.separator "\037" "\n"
.import fleet.jsonl line
.mode list
.separator " "
-- Two kinds of line: each set of capabilities once, and every adapter,
-- which names its set.
CREATE VIEW configuration AS
  SELECT json_extract(json, '$.configuration') AS id, json AS caps
    FROM line WHERE json_extract(json, '$.file') IS NULL;
CREATE VIEW adapter AS
  SELECT json_extract(json, '$.file') AS file,
         json_extract(json, '$.identity.Description') AS model,
         caps
    FROM line JOIN configuration
      ON configuration.id = json_extract(json, '$.configuration')
   WHERE json_extract(json, '$.file') IS NOT NULL;
-- Can a game rely on cube maps? The adapters that have them, of all.
SELECT 'D3DPTEXTURECAPS_CUBEMAP:',
       sum(json_extract(caps, '$.flags.TextureCaps.D3DPTEXTURECAPS_CUBEMAP')),
       'of', count(*)
  FROM adapter;
-- A game that needs textures 4096 wide: the adapters that take them.
SELECT 'MaxTextureWidth>=4096:', count(*)
  FROM adapter WHERE json_extract(caps, '$.limits.MaxTextureWidth') >= 4096;
-- The widest texture the adapters take, narrowest first.
SELECT json_extract(caps, '$.limits.MaxTextureWidth'), count(*)
  FROM adapter GROUP BY 1 ORDER BY 1;
