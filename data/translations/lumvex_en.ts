<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Report</name>
    <message numerus="yes">
        <source>%n correction(s)</source>
        <translation>
            <numerusform>%n correction</numerusform>
            <numerusform>%n corrections</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n logged automatic change(s)</source>
        <translation>
            <numerusform>%n logged automatic change</numerusform>
            <numerusform>%n logged automatic changes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>skipped %n unreadable line(s):</source>
        <translation>
            <numerusform>skipped %n unreadable line:</numerusform>
            <numerusform>skipped %n unreadable lines:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n line(s) skipped:</source>
        <translation>
            <numerusform>%n line skipped:</numerusform>
            <numerusform>%n lines skipped:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Simulate</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 are worse off with Lumvex than with fixed brightness.</source>
        <translation>
            <numerusform>%n of %1 is worse off with Lumvex than with fixed brightness.</numerusform>
            <numerusform>%n of %1 are worse off with Lumvex than with fixed brightness.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n user(s)</source>
        <translation>
            <numerusform>%n user</numerusform>
            <numerusform>%n users</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation>
            <numerusform>%n time</numerusform>
            <numerusform>%n times</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatusMenu</name>
    <message numerus="yes">
        <source>%n content situation(s) learned</source>
        <translation>
            <numerusform>%n content situation learned</numerusform>
            <numerusform>%n content situations learned</numerusform>
        </translation>
    </message>
</context>
</TS>
