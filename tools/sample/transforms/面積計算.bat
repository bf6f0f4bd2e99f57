REM 面積計算（閉図形）
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 面積計算（閉図形） (サンプル)
